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

// What the corner lists: the built-in sets and every playable own set, and
// beside them the own folders that cannot play, each with what is wrong.
struct SetsOnDisk
{
    WordSets playable;
    QList<ownsets::Folder> unplayable;
};
// Reads every own set once. Needs a QGuiApplication.
SetsOnDisk setsOnDisk();
// The built-in sets and every playable own set. Needs a QGuiApplication.
WordSets allWordSets();
// Set `id`, built in or a playable own set, reading no other; null if none.
// "tricky" holds `child`'s tricky words (ChildList::noChild: those of no child).
// Needs a QGuiApplication.
WordSets::Set findWordSet(const QString &id, int child);
