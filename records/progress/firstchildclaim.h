#pragma once

#include "progress/progressdatabase.h"

#include <QString>

// The answers kept before there was any child become the first child's. The
// claim is noted in the settings first and carried out in the record at once
// when it can be; a record that is busy or cannot be used then has it carried
// out by the game's recorder the next time it opens the record or starts a game.
struct FirstChildClaim
{
    int child = 0;  // 0: no claim waits
    QString before;  // the games of no child started by this time (the record's format, to the second) are theirs

    explicit operator bool() const { return child != 0; }

    // Notes that `child`, the first ever, claims the games of no child up to now, and carries it out.
    static void make(int child, const QString &recordPath = defaultProgressPath());
    // The claim that waits in the settings, if any.
    static FirstChildClaim waiting();
    // Gives the games to the child in `db` (in the caller's transaction, if any).
    bool carryOut(QSqlDatabase &db, QSqlError *error = nullptr) const;
    // Removes the note, unless a later claim replaced it meanwhile.
    void done() const;
};
