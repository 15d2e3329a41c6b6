#pragma once

#include "sound/soundplayer.h"

#include <QByteArray>

// Replaces the whole content of `buffer` with recording `id`. Whatever still
// plays is stopped first, so no sound is ever read from bytes being replaced.
void loadRecording(SoundPlayer &player, QByteArray &buffer, int id);
// The same with a recording from elsewhere (a word source).
void loadRecording(SoundPlayer &player, QByteArray &buffer, const QByteArray &recording);
