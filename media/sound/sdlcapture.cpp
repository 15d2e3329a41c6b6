#include "sound/sdlcapture.h"

#include "sound/sdllibrary.h"

#include <QtEndian>

#include <cstring>

namespace {

constexpr int bytesPerSecond = SdlCapture::rate * 2;

QByteArray waveFile(const QByteArray &samples)
{
    QByteArray wav(44, '\0');
    char *h = wav.data();
    std::memcpy(h, "RIFF", 4);
    qToLittleEndian<quint32>(quint32(36 + samples.size()), h + 4);
    std::memcpy(h + 8, "WAVEfmt ", 8);
    qToLittleEndian<quint32>(16, h + 16);
    qToLittleEndian<quint16>(1, h + 20); // PCM
    qToLittleEndian<quint16>(1, h + 22); // mono
    qToLittleEndian<quint32>(SdlCapture::rate, h + 24);
    qToLittleEndian<quint32>(bytesPerSecond, h + 28);
    qToLittleEndian<quint16>(2, h + 32);
    qToLittleEndian<quint16>(16, h + 34);
    std::memcpy(h + 36, "data", 4);
    qToLittleEndian<quint32>(quint32(samples.size()), h + 40);
    QByteArray data = samples;
    // WAVE samples are little-endian; SDL captured in the machine's order.
    if (QSysInfo::ByteOrder == QSysInfo::BigEndian)
        for (qsizetype i = 0; i + 1 < data.size(); i += 2)
            std::swap(data[i], data[i + 1]);
    return wav + data;
}

} // namespace

SdlCapture::~SdlCapture()
{
    stop();
}

QString SdlCapture::start()
{
    stop();
    samples.clear();
    const SdlLibrary *lib = sdl();
    if (!lib)
        return QStringLiteral("没有找到 SDL 2 声音库，无法录音。");
    if (!sdlStarted) {
        // SDL must leave SIGINT and SIGTERM to the program (see the player).
        lib->SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        lib->SDL_SetMainReady();
        if (lib->SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
            return QStringLiteral("声音系统无法启动：%1").arg(QString::fromUtf8(lib->SDL_GetError()));
        sdlStarted = true;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = rate;
    wanted.format = format;
    wanted.channels = 1;
    wanted.samples = 1024;
    SDL_AudioSpec got{};
    // No changes allowed: SDL converts whatever the microphone gives to this.
    device = lib->SDL_OpenAudioDevice(nullptr, 1, &wanted, &got, 0);
    if (device == 0)
        return QStringLiteral("没有可用的麦克风，或录音被拒绝（%1）。").arg(QString::fromUtf8(lib->SDL_GetError()));
    lib->SDL_PauseAudioDevice(device, 0);
    return {};
}

double SdlCapture::take()
{
    if (device != 0) {
        char chunk[8192];
        for (;;) {
            const qsizetype room = qsizetype(maxSeconds) * bytesPerSecond - samples.size();
            const Uint32 got = sdl()->SDL_DequeueAudio(device, chunk, Uint32(qMin<qsizetype>(room, sizeof chunk)));
            if (got == 0)
                break;
            samples.append(chunk, qsizetype(got));
        }
        // Beyond the longest recording the rest is dropped, not kept in SDL's queue.
        if (full())
            sdl()->SDL_ClearQueuedAudio(device);
    }
    return double(samples.size()) / bytesPerSecond;
}

bool SdlCapture::full() const
{
    return samples.size() >= qsizetype(maxSeconds) * bytesPerSecond;
}

QByteArray SdlCapture::stop()
{
    if (device != 0) {
        take();
        sdl()->SDL_CloseAudioDevice(device);
        device = 0;
    }
    if (sdlStarted) {
        sdl()->SDL_QuitSubSystem(SDL_INIT_AUDIO);
        sdlStarted = false;
    }
    if (samples.isEmpty())
        return {};
    const QByteArray wave = waveFile(samples);
    samples.clear();
    return wave;
}
