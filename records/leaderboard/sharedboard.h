#pragma once

#include "leaderboard/boardfile.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A board that other games may save into at the same moment: two children
// playing from one program folder, or two games of one child. Every write
// happens under an exclusive lock beside the board ("<board>.lock"), and a
// save places its result against the board as it is at that moment, not as
// it was when the leaderboard opened.
//
// The lock is waited for at most lockWaitMs, on the UI thread: a save takes
// milliseconds, so a longer wait means a game that hangs or died holding it.
// A lock whose game is gone is taken over at once on this machine; any lock
// older than staleLockMs is taken over too (a game on another machine that
// shares the folder, or one that hangs).
namespace sharedboard {

constexpr int lockWaitMs = 1000;
constexpr int staleLockMs = 3000;

// What the board file held when it was last read or written: its bytes, or
// nothing when there was no file.
using Seen = std::optional<QByteArray>;

enum class Opened {
    Read,       // `board` holds the file
    New,        // there was no board: `board` is the default one, written if possible
    Unreadable, // something is there but cannot be read; it must not be replaced
};

// Reads the board at `path` into `board` (fields that cannot be read keep
// what they held), or makes the default board when there is none yet. The
// default board is written under the lock, and only if no other game made a
// board meanwhile. `seen` is what the file holds afterwards.
Opened open(const QString &path, Board &board, Seen &seen);

enum class Saved {
    Yes,        // the file holds the new row
    NoPlace,    // the board changed meanwhile and gives the score no place now
    Busy,       // another game held the lock longer than lockWaitMs: nothing written
    Unreadable, // the board became unreadable: nothing written
    Failed,     // the file could not be written; the old one is as it was
};

// Saves `name` with `score` at `newRank`. When the file no longer holds
// `seen`, it is read again into `board`, `seen` follows it, and `newRank` is
// found anew: by the ranking rule, or row 0 when the board is gone (a new
// board). Otherwise the window's own `newRank` stands, which keeps the top row
// for the result on a board that was new when the window opened.
Saved save(const QString &path, Board &board, Seen &seen, qint16 &newRank, const QString &name,
           qint32 score);

} // namespace sharedboard
