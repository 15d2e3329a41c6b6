#pragma once

#include "media/soundplayer.h"

#include <SDL_audio.h>

// The game's speaker: SDL2 audio on its own thread. Without a sound device
// it stays silent and every play reports failure.
class SdlSoundPlayer final : public SoundPlayer
{
public:
    SdlSoundPlayer();
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer &) = delete;
    SdlSoundPlayer &operator=(const SdlSoundPlayer &) = delete;

    bool play(const QByteArray &wav, PlayMode mode) override;
    void stop() override;

    bool hasDevice() const { return device != 0; }

private:
    void waitUntilDrained();

    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec deviceFormat{};
    bool sdlStarted = false;
};
