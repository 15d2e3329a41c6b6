#pragma once

#include "catalogue/catalogue.h"
#include "sound/soundplayer.h"

#include <QList>

// Stands in for the speaker: remembers every sound the game asked for, from
// which buffer and in which mode, and never waits.
class RecordingPlayer final : public SoundPlayer
{
public:
    struct Sound
    {
        const QByteArray *buffer;
        QByteArray bytes;
        PlayMode mode;
    };

    bool play(const QByteArray &wav, PlayMode mode) override
    {
        played.append({&wav, wav, mode});
        return true;
    }
    void stop() override { ++stops; }

    // The catalogue number of a played sound, by its bytes; -1 if none matches.
    static int recordingOf(const QByteArray &bytes)
    {
        for (int id = 101; id <= 124; ++id)
            if (!bytes.isEmpty() && catalogue::loadData(id, "WAV") == bytes)
                return id;
        return -1;
    }
    int lastRecording() const { return played.isEmpty() ? -1 : recordingOf(played.last().bytes); }
    void clear() { played.clear(), stops = 0; }

    QList<Sound> played;
    int stops = 0;
};
