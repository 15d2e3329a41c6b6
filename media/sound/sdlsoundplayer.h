#pragma once

#include "sound/soundplayer.h"

#include <QObject>
#include <QTimer>

#include <SDL_audio.h>

// Where the player hands a sound to the device, and what a waiting play and
// the idle close read of it: how much of the queued sound it has not yet
// taken, and the time. The player uses SDL's queue and clock; a test hands in
// a device that keeps what it was given, or starts late or never.
class DeviceProgress
{
public:
    virtual ~DeviceProgress() = default;
    // Samples in the device's format (see SdlSoundPlayer::deviceFormat); 0 when queued.
    virtual int queue(SDL_AudioDeviceID device, const Uint8 *samples, Uint32 length) = 0;
    virtual Uint32 queuedBytes(SDL_AudioDeviceID device) = 0;
    virtual Uint64 milliseconds() = 0;
    virtual void sleep(Uint32 milliseconds) = 0;
};

// The game's speaker: SDL2 audio on its own thread. Without a sound device
// it stays silent and every play reports failure.
//
// SDL and the thirty-odd libraries it pulls in (sound servers, codecs, X11,
// Wayland) would slow the first frame by a third, so SDL is loaded and
// started shortly after the first paint of any window, or by the first play
// or hasDevice(), whichever comes first.
//
// SDL keeps feeding silence to an open device even while it is paused, which
// wakes the processor (and a sound server) all the time. So the device is
// closed once nothing has played for idleCloseMs, and opened again by the
// next play. The closing runs from the event loop of the thread that made
// the player; without an event loop the device simply stays open.
class SdlSoundPlayer final : public SoundPlayer, private QObject
{
public:
    static constexpr int idleCloseMs = 2000;
    // A waiting play gives up on a device that took nothing for this long:
    // below the desktop's five seconds before it calls the game hung.
    static constexpr Uint64 stallMs = 3000;
    // SDL starts this long after the first paint (or at the first play).
    static constexpr int startDelayMs = 250;
    // The device plays 22050 Hz mono 16-bit, native byte order: the words
    // beyond set 1 and one's own are recorded so; 8-bit ones are widened.
    static constexpr int deviceRate = 22050;
    static constexpr SDL_AudioFormat deviceFormat = AUDIO_S16SYS;

    // `progress` replaces SDL's queue and clock where the player reads them.
    explicit SdlSoundPlayer(DeviceProgress *progress = nullptr);
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer &) = delete;
    SdlSoundPlayer &operator=(const SdlSoundPlayer &) = delete;

    bool play(const QByteArray &wav, PlayMode mode) override;
    void stop() override;

    // Whether a sound device was found at start. Without one the player
    // never tries again and stays silent.
    bool hasDevice();
    // Whether SDL has been loaded and started (or tried and failed).
    bool isStarted() const { return started; }
    // Whether the device is open right now, that is not closed for idleness.
    bool isDeviceOpen() const { return device != 0; }
    // Whether a waiting play gave up on the device: then no play waits again.
    bool gaveUpWaiting() const { return deviceStalled; }
    // Bytes of the sound that SDL holds and has not yet handed to the device.
    Uint32 queuedBytes() const;
    // The idle timer's handler: closes the device unless a sound is queued.
    void closeIfIdle();

private:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void start();
    bool openDevice();
    void closeAfterIdle(int soundingMs);
    int queuedMilliseconds() const;
    void waitUntilTaken();

    DeviceProgress *progress;
    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec deviceSpec{};
    bool started = false;
    bool sdlStarted = false;
    bool deviceFound = false;
    bool deviceStalled = false;
    QTimer idleClose;
};
