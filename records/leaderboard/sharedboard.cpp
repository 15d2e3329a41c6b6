#include "leaderboard/sharedboard.h"

#include <QLockFile>

namespace sharedboard {

namespace {

// Holds the board's lock for as long as it lives, if it could be had.
class BoardLock
{
public:
    explicit BoardLock(const QString &path)
        : lock(path + QStringLiteral(".lock"))
    {
        lock.setStaleLockTime(staleLockMs);
        lock.tryLock(lockWaitMs);
    }

    bool held() const { return lock.isLocked(); }
    // Another game has it, as opposed to a folder where no lock can be made.
    bool busy() const { return lock.error() == QLockFile::LockFailedError; }

private:
    QLockFile lock;
};

} // namespace

Opened open(const QString &path, Board &board, Seen &seen)
{
    seen = readBoardBytes(path);
    if (seen) {
        readBoardText(*seen, board);
        return Opened::Read;
    }
    if (boardFileExists(path))
        return Opened::Unreadable;

    setDefaultBoard(board);
    // Without the lock nothing is written: the save will find out what the
    // other game made.
    const BoardLock lock(path);
    if (lock.held() && !boardFileExists(path) && createDefaultBoard(path, board))
        seen = readBoardBytes(path);
    return Opened::New;
}

Saved save(const QString &path, Board &board, Seen &seen, qint16 &newRank, const QString &name,
           qint32 score)
{
    const BoardLock lock(path);
    if (!lock.held())
        return lock.busy() ? Saved::Busy : Saved::Failed;

    Seen now = readBoardBytes(path);
    if (!now && boardFileExists(path))
        return Saved::Unreadable;
    if (now != seen) {
        seen = std::move(now);
        if (seen) {
            readBoardText(*seen, board);
            newRank = rankOf(board, score);
        } else {
            setDefaultBoard(board);
            newRank = 0;
        }
        if (newRank < 0)
            return Saved::NoPlace;
    }
    return saveWithNewEntry(path, board, newRank, name, score) ? Saved::Yes : Saved::Failed;
}

} // namespace sharedboard
