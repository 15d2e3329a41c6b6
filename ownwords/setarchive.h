#pragma once

#include "ownwords/ownset.h"

#include <QString>

// One own set as one file, <id>.wordnest: a zip of the folder <id>/ with
// its words.txt, set.ini and each usable word's picture (PNG, at most
// 270 x 270) and recording (WAV as the game plays it).
namespace setarchive {

// Imports refuse archives beyond these.
constexpr int maxEntries = 200;
constexpr qint64 maxUnpackedBytes = 100 * 1024 * 1024;

// What an export does with a file already at its place.
enum class Existing { Keep, Replace };
// Writes set `id` of `setsFolder` to `file`. An existing file is kept, or
// replaced in one rename once the new one is whole, so that a crash leaves
// the one or the other. Empty on success, else what went wrong; nothing is
// left behind then.
QString exportSet(const QString &id, const QString &file, const ownset::FitsLabel &fits,
                  const QString &setsFolder = ownset::setsFolder(), Existing existing = Existing::Keep);

struct Imported
{
    QString id;      // the new set's id
    QString problem; // empty on success
};
// Unpacks `file` into a new set folder under `setsFolder`. An archive with
// anything but one set folder's files in it (other paths, links, devices),
// too many entries or too many bytes, or a set that exists already, is
// refused whole: nothing is written outside a temporary folder, which goes.
Imported importSet(const QString &file, const ownset::FitsLabel &fits,
                   const QString &setsFolder = ownset::setsFolder());

} // namespace setarchive
