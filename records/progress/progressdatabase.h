#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

// "$XDG_DATA_HOME/wordnest/progress.sqlite" (default ~/.local/share/wordnest/).
QString defaultProgressPath();

// Now in local time with its offset, as the record keeps times: the day a
// child played is the day on its clock.
QString recordTimeNow();

// How a statement on the record failed, by SQLite's own error code.
enum class Failure {
    None,
    Busy,  // another program holds a lock: the record is fine, only not free now
    Broken,  // not a database, damaged, or not ours
    Other,  // cannot be opened, a full disk, an input/output error: nothing to blame the file for
};
Failure failureOf(const QSqlError &error);

// One SQLite connection of this thread, closed and removed with the object.
// Qt ties a connection to the thread that made it.
class ProgressConnection
{
public:
    ProgressConnection();
    ~ProgressConnection();
    ProgressConnection(const ProgressConnection &) = delete;
    ProgressConnection &operator=(const ProgressConnection &) = delete;

    enum class Mode {
        Write,  // the recorder: makes the record, sets a broken one aside, migrates
        Read,  // the progress page, the export, the children's changes: never creates, checks whole, or
               // moves anything; an earlier version's record is migrated
    };
    enum class State {
        Ready,
        Missing,  // Read: no record yet
        Busy,  // locked by another program for longer than the busy timeout
        Broken,  // Read only: Write sets a broken record aside and starts a fresh one
        Newer,  // made by a later version of the game, left untouched
        Failed,  // cannot be used for another reason (see detail)
    };
    // Opens the record at `path`. A broken one (Write) is moved with its -wal,
    // -shm and -journal files to a new name, returned in setAsideAs, and a fresh
    // record is started in its place.
    State open(const QString &path, Mode mode);
    QSqlDatabase &db() { return database; }
    QString detail;  // SQLite's message for a state other than Ready
    QString setAsideAs;

    static constexpr int schemaVersion = 3;
    static constexpr int busyTimeoutMs = 500;

private:
    State tryOpen(const QString &path, Mode mode);
    void close();

    QString name;
    QSqlDatabase database;
    bool logRecovered = false;
};

// Moves `path` and the journal files beside it to a name no file has yet,
// "<base>-set-aside-<yyyyMMdd-HHmmss>[-n].sqlite" plus the same suffixes.
// Returns the new name of the main file, empty when something could not be moved.
QString setAsideRecord(const QString &path);
