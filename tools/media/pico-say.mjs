// Speaks one text with SVOX Pico (WebAssembly build) and writes a 16 kHz,
// 16-bit mono WAV file.  Usage: node pico-say.mjs LANGDIR TEXT OUT.wav
// LANGDIR holds en-US_ta.bin and en-US_lh0_sg.bin.
import SvoxPico from '@echogarden/svoxpico-wasm';
import { readFileSync, writeFileSync } from 'node:fs';

const [langDir, text, outPath] = process.argv.slice(2);
if (!outPath) {
    console.error('usage: node pico-say.mjs LANGDIR TEXT OUT.wav');
    process.exit(2);
}

const m = await SvoxPico();
const files = ['en-US_ta.bin', 'en-US_lh0_sg.bin'];
m.FS.mkdir('/lang');
for (const f of files)
    m.FS.writeFile('/lang/' + f, readFileSync(langDir + '/' + f));

function cstr(s) {
    const bytes = new TextEncoder().encode(s);
    const p = m._malloc(bytes.length + 1);
    m.HEAPU8.set(bytes, p);
    m.HEAPU8[p + bytes.length] = 0;
    return [p, bytes.length + 1];
}
function check(status, what) {
    if (status < 0)
        throw new Error(`${what} failed with status ${status}`);
    return status;
}

const memSize = 2500000;   // what pico2wave gives the engine
const mem = m._malloc(memSize);
const sysPtr = m._malloc(4);
check(m._pico_initialize(mem, memSize, sysPtr), 'pico_initialize');
const sys = m.getValue(sysPtr, 'i32');

const voice = cstr('PicoVoice')[0];
check(m._pico_createVoiceDefinition(sys, voice), 'createVoiceDefinition');
for (const f of files) {
    const resPtr = m._malloc(4);
    check(m._pico_loadResource(sys, cstr('/lang/' + f)[0], resPtr), 'loadResource ' + f);
    const name = m._malloc(200);
    check(m._pico_getResourceName(sys, m.getValue(resPtr, 'i32'), name), 'getResourceName');
    check(m._pico_addResourceToVoiceDefinition(sys, voice, name), 'addResource');
}
const engPtr = m._malloc(4);
check(m._pico_newEngine(sys, voice, engPtr), 'newEngine');
const eng = m.getValue(engPtr, 'i32');

const [textPtr, textLen] = cstr(text);
const bytesPut = m._malloc(2);
let offset = 0;
const BUF = 2048;
const buf = m._malloc(BUF);
const got = m._malloc(2);
const type = m._malloc(2);
const chunks = [];
const PICO_STEP_BUSY = 201;

function drain() {
    let status;
    do {
        status = check(m._pico_getData(eng, buf, BUF, got, type), 'getData');
        const n = m.getValue(got, 'i16');
        if (n > 0)
            chunks.push(Buffer.from(m.HEAPU8.slice(buf, buf + n)));
    } while (status === PICO_STEP_BUSY);
}

while (offset < textLen) {
    check(m._pico_putTextUtf8(eng, textPtr + offset, textLen - offset, bytesPut), 'putText');
    offset += m.getValue(bytesPut, 'i16');
    drain();
}
drain();

const pcm = Buffer.concat(chunks);
const header = Buffer.alloc(44);
header.write('RIFF', 0);
header.writeUInt32LE(36 + pcm.length, 4);
header.write('WAVE', 8);
header.write('fmt ', 12);
header.writeUInt32LE(16, 16);
header.writeUInt16LE(1, 20);       // PCM
header.writeUInt16LE(1, 22);       // mono
header.writeUInt32LE(16000, 24);
header.writeUInt32LE(32000, 28);
header.writeUInt16LE(2, 32);
header.writeUInt16LE(16, 34);
header.write('data', 36);
header.writeUInt32LE(pcm.length, 40);
writeFileSync(outPath, Buffer.concat([header, pcm]));
