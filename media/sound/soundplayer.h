#pragma once

#include <QByteArray>

// How a recording is played: the values are the flags of the classic
// play-from-memory call, kept so that the two modes read the same everywhere.
enum class PlayMode {
    Wait = 4,   // return once the sound has ended
    Async = 5,  // return at once, the sound goes on
};

// Plays whole WAVE files held in memory. A new sound stops the one playing,
// so at most one sound is heard at a time.
class SoundPlayer
{
public:
    virtual ~SoundPlayer() = default;

    // Plays the WAVE file in `wav`. Returns false when it could not be
    // played; the game never looks at that, a child just hears nothing.
    virtual bool play(const QByteArray &wav, PlayMode mode) = 0;

    // Stops whatever plays; nothing when it is silent.
    virtual void stop() = 0;
};
