#include "sound/sdlsoundplayer.h"

#include "sound/sdllibrary.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>

#include <dlfcn.h>

namespace {

class SdlProgress final : public DeviceProgress
{
public:
    int queue(SDL_AudioDeviceID device, const Uint8 *samples, Uint32 length) override
    {
        return sdl()->SDL_QueueAudio(device, samples, length);
    }
    Uint32 queuedBytes(SDL_AudioDeviceID device) override { return sdl()->SDL_GetQueuedAudioSize(device); }
    Uint64 milliseconds() override { return sdl()->SDL_GetTicks64(); }
    void sleep(Uint32 milliseconds) override { sdl()->SDL_Delay(milliseconds); }
};

// The recordings are all 22050 Hz mono, 8 or 16 bits. Without a format-change
// flag SDL converts to the sound server's format itself, on its own thread.
SDL_AudioSpec wantedFormat()
{
    SDL_AudioSpec wanted{};
    wanted.freq = SdlSoundPlayer::deviceRate;
    wanted.format = SdlSoundPlayer::deviceFormat;
    wanted.channels = 1;
    wanted.samples = 512; // about 23 ms: short enough that a cut-off is prompt
    return wanted;
}

struct WavData
{
    SDL_AudioSpec format{};
    Uint8 *bytes = nullptr;
    Uint32 length = 0;
    ~WavData() { sdl()->SDL_FreeWAV(bytes); }
};

// 8-bit mono at the device's rate, as set 1's words and the effects: widened by
// hand, exactly (SDL goes through floating point and may be one step off).
bool isWidenedByHand(const SDL_AudioSpec &format)
{
    return format.format == AUDIO_U8 && format.channels == 1 && format.freq == SdlSoundPlayer::deviceRate;
}

QByteArray widened(const Uint8 *samples, Uint32 length)
{
    QByteArray out(qsizetype(length) * 2, Qt::Uninitialized);
    auto *to = reinterpret_cast<Sint16 *>(out.data());
    for (Uint32 i = 0; i < length; ++i)
        to[i] = Sint16((int(samples[i]) - 128) * 256);
    return out;
}

void ignoreAlsaMessage(const char *, int, const char *, int, const char *, ...) {}

// Without a sound card ALSA prints a screenful of configuration errors while
// SDL looks for a device. The game goes on silently then, and so should the
// terminal: ALSA's error handler is process-wide, so setting it on our own
// handle of the library silences SDL's use of it too. Only when SDL has
// loaded ALSA: another driver should not pay for loading it.
void quietAlsa()
{
    using Handler = void (*)(const char *, int, const char *, int, const char *, ...);
    void *alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (!alsa)
        return;
    if (auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler")))
        setHandler(ignoreAlsaMessage);
    // The handle stays open: the handler must outlive SDL's use of ALSA.
}

} // namespace

SdlSoundPlayer::SdlSoundPlayer(DeviceProgress *progress)
    : progress(progress)
{
    static SdlProgress sdlProgress;
    if (!this->progress)
        this->progress = &sdlProgress;
    idleClose.setSingleShot(true);
    QObject::connect(&idleClose, &QTimer::timeout, [this] { closeIfIdle(); });
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    idleClose.stop();
    if (device != 0)
        sdl()->SDL_CloseAudioDevice(device);
    if (sdlStarted)
        sdl()->SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// Starts the sound once the first frame is on screen. Not at the next turn
// of the event loop: the frame may still wait in the X connection's buffer
// then, and it would wait for SDL. A child does not click within startDelayMs.
bool SdlSoundPlayer::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Paint) {
        QCoreApplication::instance()->removeEventFilter(this);
        QTimer::singleShot(startDelayMs, this, [this] { start(); });
    }
    return false;
}

void SdlSoundPlayer::start()
{
    if (started)
        return;
    started = true;
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
    if (!sdl())
        return;
    // SDL must leave SIGINT and SIGTERM to the program, or Ctrl+C stops working.
    sdl()->SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    sdl()->SDL_SetMainReady();
    if (sdl()->SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return;
    sdlStarted = true;
    quietAlsa();
    // Opened once now to learn whether there is a device at all, so that a
    // machine without one does not search again at every sound.
    deviceFound = openDevice();
    if (deviceFound)
        closeAfterIdle(0);
}

bool SdlSoundPlayer::hasDevice()
{
    start();
    return deviceFound;
}

Uint32 SdlSoundPlayer::queuedBytes() const
{
    return device != 0 ? progress->queuedBytes(device) : 0;
}

bool SdlSoundPlayer::openDevice()
{
    const SDL_AudioSpec wanted = wantedFormat();
    device = sdl()->SDL_OpenAudioDevice(nullptr, 0, &wanted, &deviceSpec, 0);
    return device != 0;
}

// Called when the idle time is up: a sound that is still queued (a long one,
// or a device that fell behind) keeps the device open a while longer.
void SdlSoundPlayer::closeIfIdle()
{
    if (device == 0)
        return;
    if (queuedBytes() > 0) {
        closeAfterIdle(queuedMilliseconds());
        return;
    }
    sdl()->SDL_CloseAudioDevice(device);
    device = 0;
}

// One single-shot at a time, restarted by every play and stop: a closed
// device leaves no timer behind.
void SdlSoundPlayer::closeAfterIdle(int soundingMs)
{
    idleClose.start(soundingMs + idleCloseMs);
}

int SdlSoundPlayer::queuedMilliseconds() const
{
    const Uint32 bytesPerSecond = Uint32(deviceSpec.freq) * deviceSpec.channels
                                  * (SDL_AUDIO_BITSIZE(deviceSpec.format) / 8);
    return int(Uint64(queuedBytes()) * 1000 / std::max<Uint32>(bytesPerSecond, 1));
}

bool SdlSoundPlayer::play(const QByteArray &wav, PlayMode mode)
{
    stop();
    if (!hasDevice() || wav.isEmpty())
        return false;

    WavData data;
    SDL_RWops *source = sdl()->SDL_RWFromConstMem(wav.constData(), int(wav.size()));
    if (!sdl()->SDL_LoadWAV_RW(source, 1, &data.format, &data.bytes, &data.length))
        return false;

    // A sound that cannot be read does not wake a sleeping device.
    if (device == 0 && !openDevice())
        return false;

    // The queue copies the samples, so the caller's buffer may change as
    // soon as this returns. A recording in another format is converted.
    int queued;
    if (isWidenedByHand(data.format)) {
        const QByteArray samples = widened(data.bytes, data.length);
        queued = progress->queue(device, reinterpret_cast<const Uint8 *>(samples.constData()), Uint32(samples.size()));
    } else {
        SDL_AudioCVT cvt;
        const int needed = sdl()->SDL_BuildAudioCVT(&cvt, data.format.format, data.format.channels,
                                                    data.format.freq, deviceSpec.format, deviceSpec.channels,
                                                    deviceSpec.freq);
        if (needed < 0)
            return false;
        if (needed == 0) {
            queued = progress->queue(device, data.bytes, data.length);
        } else {
            QByteArray converted(qsizetype(data.length) * cvt.len_mult, Qt::Uninitialized);
            memcpy(converted.data(), data.bytes, data.length);
            cvt.buf = reinterpret_cast<Uint8 *>(converted.data());
            cvt.len = int(data.length);
            if (sdl()->SDL_ConvertAudio(&cvt) != 0)
                return false;
            queued = progress->queue(device, cvt.buf, Uint32(cvt.len_cvt));
        }
    }
    if (queued != 0)
        return false;

    sdl()->SDL_PauseAudioDevice(device, 0);
    if (mode == PlayMode::Wait)
        waitUntilTaken();
    closeAfterIdle(queuedMilliseconds());
    return true;
}

void SdlSoundPlayer::stop()
{
    if (device == 0)
        return;
    sdl()->SDL_ClearQueuedAudio(device);
    closeAfterIdle(0);
}

// Blocks the calling (user-interface) thread on purpose: nothing else of the
// game may happen while a waiting sound plays. A sound server may take
// seconds to start a new stream (one waking from suspend, an idle null sink),
// so there is no deadline from the sound's length: only a device that takes
// nothing at all for stallMs is given up on, and for the rest of the run, so
// that a dead device stalls the game once and not at every right answer.
void SdlSoundPlayer::waitUntilTaken()
{
    if (deviceStalled)
        return;
    Uint32 left = queuedBytes();
    Uint64 lastTaken = progress->milliseconds();
    while (left > 0) {
        progress->sleep(5);
        const Uint32 now = queuedBytes();
        if (now < left)
            lastTaken = progress->milliseconds();
        else if (progress->milliseconds() - lastTaken >= stallMs) {
            deviceStalled = true;
            return;
        }
        left = now;
    }
    // The last chunk is still in the device's own buffer.
    progress->sleep(Uint32(1000u * deviceSpec.samples / Uint32(deviceSpec.freq)) + 1);
}
