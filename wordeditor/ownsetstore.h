#pragma once

#include <QString>
#include <QStringList>

// What the "my words" page does to the own sets on disk, without asking
// anybody: the page asks first and then calls these. Each answers an empty
// string on success, else a message for the grown-up; a failure changes
// nothing it was not asked to change.
namespace ownsetstore {

// An id made from `name`: its Latin letters and digits in lower case, runs of
// anything else as one '-'. Empty when that leaves no valid id (a Chinese name).
QString idFromName(const QString &name);
// `id`, or `id`-2, `id`-3, ... : the first that no set in `setsFolder` has.
QString freeId(const QString &id, const QString &setsFolder);

// A new empty set folder `id` named `name`.
QString create(const QString &id, const QString &name, const QString &setsFolder);
QString rename(const QString &id, const QString &name, const QString &setsFolder);
// Removes set `id`'s folder and its board kivora-<id>.tmp in `boardFolder`,
// nothing else (its progress stays).
QString remove(const QString &id, const QString &setsFolder, const QString &boardFolder);

// How an import whose set exists already goes on.
enum class OnConflict { Ask, Replace, KeepBoth, Cancel };
struct Import
{
    QString id;       // the set made or replaced
    QString conflict; // the id that exists already, when the import waits for an answer
    QString problem;
};
// Imports archive `file`. With OnConflict::Ask an existing id is answered
// in `conflict` and nothing is written; ask again with the grown-up's answer.
Import importFile(const QString &file, OnConflict onConflict, const QString &setsFolder);

// Finishes imports a crash cut off, as their journals beside `setsFolder`
// say: a set moved aside and not replaced is put back, and the folders the
// journals name go. Nothing else is touched. Call it only from the start
// that holds the game's single-instance lock. Answers the sets put back.
QStringList finishCutOffImports(const QString &setsFolder);

} // namespace ownsetstore
