#pragma once

#include "ownsets/setreader.h"
#include "wordsets/wordsets.h"

#include <QList>

namespace ownsets {

// Adds every playable set in `folder` (by default setsFolder()) to `sets`
// and answers those that cannot play, with what is wrong with each. A set
// whose id is taken is skipped. The sets are listed (listFolder): each loads
// its pictures and recordings when it is played.
QList<Folder> addPlayableSets(WordSets &sets, const FitsLabel &fits, const QString &folder = setsFolder());

} // namespace ownsets

// The built-in sets and every playable own set. Needs a QGuiApplication.
WordSets allWordSets();
// Set `id`, built in or a playable own set, reading no other; null if none.
// "tricky" holds `child`'s tricky words (ChildList::noChild: those of no child).
// Needs a QGuiApplication.
WordSets::Set findWordSet(const QString &id, int child);
