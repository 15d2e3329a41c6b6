#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Moving or deleting rows of a set renames their NN files and rewrites
// words.txt together. The plan is written to "rows.journal" in the set folder
// (fsynced) before the first rename and removed after words.txt is written,
// so a run cut short by a crash is finished by recover(), which whatever opens
// the folder next calls first: a word never keeps another row's files.
namespace rowjournal {

inline constexpr char fileName[] = "rows.journal";

struct Move
{
    QString from; // a file name in the set folder
    QString to;   // its new name; empty to delete it
};

// Moves (or deletes) the files of `moves`, all at once as far as a reader
// can tell, then replaces words.txt with `wordList`. The targets may be
// sources of other moves (rows swap). Empty on success, else the problem.
QString run(const QString &folder, const QList<Move> &moves, const QByteArray &wordList);

// Finishes a run of `folder` that was cut short; does nothing without a journal.
// Waits for a run of another process that is still going on.
void recover(const QString &folder);

} // namespace rowjournal
