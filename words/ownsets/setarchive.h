#pragma once

#include "ownsets/setreader.h"

#include <QString>
#include <QStringList>

// One own set as one file, <id>.wordnest: a zip of the folder <id>/ with
// its words.txt, set.ini and each usable word's picture (PNG, at most
// 270 x 270) and recording (WAV as the game plays it).
namespace ownsets {

// Imports refuse archives beyond these.
constexpr int maxEntries = 200;
constexpr qint64 maxUnpackedBytes = 100 * 1024 * 1024;

// What an export does with a file already at its place.
enum class Existing { Keep, Replace };
// Writes set `id` of `setsFolder` to `file`. An existing file is kept, or
// replaced in one rename once the new one is whole, so that a crash leaves
// the one or the other. Empty on success, else what went wrong; nothing is
// left behind then.
QString exportSet(const QString &id, const QString &file, const FitsLabel &fits,
                  const QString &setsFolder = ownsets::setsFolder(), Existing existing = Existing::Keep);

struct Unpacked
{
    QString id;      // the new set's id
    QString problem; // empty on success
};
// Unpacks `file` into a new set folder under `setsFolder`. An archive with
// anything but one set folder's files in it (other paths, links, devices),
// too many entries or too many bytes, or a set that exists already, is
// refused whole: nothing is written outside a temporary folder, which goes.
Unpacked unpackSet(const QString &file, const FitsLabel &fits, const QString &setsFolder = ownsets::setsFolder());

// How an import whose set exists already goes on.
enum class OnConflict { Ask, Replace, KeepBoth, Cancel };
struct Import
{
    QString id;       // the set made or replaced
    QString conflict; // the id that exists already, when the import waits for an answer
    QString problem;
};
// Imports archive `file` for the "my words" page, unpacked beside
// `setsFolder` first. With OnConflict::Ask an existing id is answered in
// `conflict` and nothing is written; ask again with the grown-up's answer.
// A failure changes nothing.
Import importFile(const QString &file, OnConflict onConflict, const QString &setsFolder);

// Finishes imports a crash cut off, as their journals beside `setsFolder`
// say: a set moved aside and not replaced is put back, and the folders the
// journals name go. Nothing else is touched. Call it only from the start
// that holds the game's single-instance lock. Answers the sets put back.
QStringList finishCutOffImports(const QString &setsFolder);

} // namespace ownsets
