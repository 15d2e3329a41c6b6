#include "sound/recording.h"

#include "catalogue/catalogue.h"

void loadRecording(SoundPlayer &player, QByteArray &buffer, int id)
{
    player.stop();
    buffer = catalogue::loadData(id, "WAV");
}

void loadRecording(SoundPlayer &player, QByteArray &buffer, const QByteArray &recording)
{
    player.stop();
    buffer = recording;
}
