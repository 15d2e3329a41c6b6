#pragma once

#include "media/soundplayer.h"

#include <QByteArray>

#include <vector>

// A SoundPlayer that plays nothing and keeps a log: which buffer was handed
// to play() (its address and a copy of its bytes at that moment), in which
// mode, and how often stop() was called.
class RecordingPlayer final : public SoundPlayer
{
public:
    struct Play
    {
        const QByteArray *buffer;
        QByteArray bytes;
        PlayMode mode;
    };

    bool play(const QByteArray &wav, PlayMode mode) override
    {
        plays.push_back({&wav, wav, mode});
        return !wav.isEmpty();
    }
    void stop() override { ++stops; }

    void clear()
    {
        plays.clear();
        stops = 0;
    }

    std::vector<Play> plays;
    int stops = 0;
};
