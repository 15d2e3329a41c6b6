#pragma once

#include "media/soundplayer.h"

#include <QTimer>

#include <SDL_audio.h>

// The game's speaker: SDL2 audio on its own thread. Without a sound device
// it stays silent and every play reports failure.
//
// SDL keeps feeding silence to an open device even while it is paused, which
// wakes the processor (and a sound server) all the time. So the device is
// closed once nothing has played for idleCloseMs, and opened again by the
// next play. The closing runs from the event loop of the thread that made
// the player; without an event loop the device simply stays open.
class SdlSoundPlayer final : public SoundPlayer
{
public:
    static constexpr int idleCloseMs = 2000;

    SdlSoundPlayer();
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer &) = delete;
    SdlSoundPlayer &operator=(const SdlSoundPlayer &) = delete;

    bool play(const QByteArray &wav, PlayMode mode) override;
    void stop() override;

    // Whether a sound device was found at start. Without one the player
    // never tries again and stays silent.
    bool hasDevice() const { return deviceFound; }
    // Whether the device is open right now, that is not closed for idleness.
    bool isDeviceOpen() const { return device != 0; }
    // Bytes of the sound that SDL holds and has not yet handed to the device.
    Uint32 queuedBytes() const { return device != 0 ? SDL_GetQueuedAudioSize(device) : 0; }

private:
    bool openDevice();
    void closeIfIdle();
    void closeAfterIdle(int soundingMs);
    int queuedMilliseconds() const;
    void waitUntilDrained();

    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec deviceFormat{};
    bool sdlStarted = false;
    bool deviceFound = false;
    QTimer idleClose;
};
