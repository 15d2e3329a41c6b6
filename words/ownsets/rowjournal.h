#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Moving or deleting rows of a set renames their NN files and rewrites
// words.txt together. The plan is written to "rows.journal" in the set folder
// (fsynced) before the first rename and removed after words.txt is written,
// so a run cut short by a crash is finished by finishMovingRows(), which
// whatever opens the folder next calls first: a word never keeps another
// row's files.
namespace ownsets {

inline constexpr char rowJournalName[] = "rows.journal";

struct RowMove
{
    QString from; // a file name in the set folder
    QString to;   // its new name; empty to delete it
};

// Moves (or deletes) the files of `moves`, all at once as far as a reader
// can tell, then replaces words.txt with `wordList`. The targets may be
// sources of other moves (rows swap). Empty on success, else the problem.
QString moveRows(const QString &folder, const QList<RowMove> &moves, const QByteArray &wordList);

// Finishes a run of `folder` that was cut short; does nothing without a journal.
// Waits for a run of another process that is still going on.
void finishMovingRows(const QString &folder);

} // namespace ownsets
