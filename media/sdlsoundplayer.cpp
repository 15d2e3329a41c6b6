#include "media/sdlsoundplayer.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <QtGlobal>

#include <algorithm>

#ifdef Q_OS_LINUX
#include <dlfcn.h>
#endif

namespace {

// The recordings are all 22050 Hz mono 8-bit; asking for exactly that lets
// SDL hand the bytes through untouched when the device agrees.
SDL_AudioSpec wantedFormat()
{
    SDL_AudioSpec wanted{};
    wanted.freq = 22050;
    wanted.format = AUDIO_U8;
    wanted.channels = 1;
    wanted.samples = 512; // about 23 ms: short enough that a cut-off is prompt
    return wanted;
}

struct WavData
{
    SDL_AudioSpec format{};
    Uint8 *bytes = nullptr;
    Uint32 length = 0;
    ~WavData() { SDL_FreeWAV(bytes); }
};

#ifdef Q_OS_LINUX
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
#endif

} // namespace

SdlSoundPlayer::SdlSoundPlayer()
{
    idleClose.setSingleShot(true);
    QObject::connect(&idleClose, &QTimer::timeout, [this] { closeIfIdle(); });

    // SDL must leave SIGINT and SIGTERM to the program, or Ctrl+C stops working.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetMainReady();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return;
    sdlStarted = true;
#ifdef Q_OS_LINUX
    quietAlsa();
#endif
    // Opened once now to learn whether there is a device at all, so that a
    // machine without one does not search again at every sound.
    deviceFound = openDevice();
    if (deviceFound)
        closeAfterIdle(0);
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    idleClose.stop();
    if (device != 0)
        SDL_CloseAudioDevice(device);
    if (sdlStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlSoundPlayer::openDevice()
{
    const SDL_AudioSpec wanted = wantedFormat();
    device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &deviceFormat, 0);
    return device != 0;
}

// Called when the idle time is up: a sound that is still queued (a long one,
// or a device that fell behind) keeps the device open a while longer.
void SdlSoundPlayer::closeIfIdle()
{
    if (device == 0)
        return;
    if (SDL_GetQueuedAudioSize(device) > 0) {
        closeAfterIdle(queuedMilliseconds());
        return;
    }
    SDL_CloseAudioDevice(device);
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
    const Uint32 bytesPerSecond = Uint32(deviceFormat.freq) * deviceFormat.channels
                                  * (SDL_AUDIO_BITSIZE(deviceFormat.format) / 8);
    return int(Uint64(SDL_GetQueuedAudioSize(device)) * 1000 / std::max<Uint32>(bytesPerSecond, 1));
}

bool SdlSoundPlayer::play(const QByteArray &wav, PlayMode mode)
{
    stop();
    if (!deviceFound || wav.isEmpty())
        return false;

    WavData data;
    SDL_RWops *source = SDL_RWFromConstMem(wav.constData(), int(wav.size()));
    if (!SDL_LoadWAV_RW(source, 1, &data.format, &data.bytes, &data.length))
        return false;

    // A sound that cannot be read does not wake a sleeping device.
    if (device == 0 && !openDevice())
        return false;

    // The queue copies the samples, so the caller's buffer may change as
    // soon as this returns. A recording in another format is converted.
    SDL_AudioCVT cvt;
    const int needed = SDL_BuildAudioCVT(&cvt, data.format.format, data.format.channels, data.format.freq,
                                         deviceFormat.format, deviceFormat.channels, deviceFormat.freq);
    if (needed < 0)
        return false;
    int queued;
    if (needed == 0) {
        queued = SDL_QueueAudio(device, data.bytes, data.length);
    } else {
        QByteArray converted(qsizetype(data.length) * cvt.len_mult, Qt::Uninitialized);
        memcpy(converted.data(), data.bytes, data.length);
        cvt.buf = reinterpret_cast<Uint8 *>(converted.data());
        cvt.len = int(data.length);
        if (SDL_ConvertAudio(&cvt) != 0)
            return false;
        queued = SDL_QueueAudio(device, cvt.buf, Uint32(cvt.len_cvt));
    }
    if (queued != 0)
        return false;

    SDL_PauseAudioDevice(device, 0);
    if (mode == PlayMode::Wait)
        waitUntilDrained();
    closeAfterIdle(queuedMilliseconds());
    return true;
}

void SdlSoundPlayer::stop()
{
    if (device == 0)
        return;
    SDL_ClearQueuedAudio(device);
    closeAfterIdle(0);
}

// Blocks the calling (user-interface) thread on purpose: nothing else of the
// game may happen while a waiting sound plays.
void SdlSoundPlayer::waitUntilDrained()
{
    // Bounded by the sound's own length and a margin, so a stalled device
    // can never hang the game.
    const Uint64 deadline = SDL_GetTicks64() + 500 + Uint64(queuedMilliseconds());
    while (SDL_GetQueuedAudioSize(device) > 0 && SDL_GetTicks64() < deadline)
        SDL_Delay(5);
    // The last chunk is still in the device's own buffer.
    SDL_Delay(Uint32(1000u * deviceFormat.samples / Uint32(deviceFormat.freq)) + 1);
}
