#include "progress/progressdatabase.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <vector>

namespace {

// Step n brings a record of version n to version n + 1. A later version of
// the game appends its steps; a record is migrated in one transaction.
const std::vector<std::vector<const char *>> migrationSteps{
    {
        "CREATE TABLE games ("
        " id INTEGER PRIMARY KEY,"
        " started TEXT NOT NULL,"
        " ended TEXT,"
        " word_set TEXT NOT NULL,"
        " score INTEGER,"
        " level INTEGER)",
        "CREATE TABLE answers ("
        " id INTEGER PRIMARY KEY,"
        " game INTEGER NOT NULL REFERENCES games(id) ON DELETE CASCADE,"
        " time TEXT NOT NULL,"
        " word_set TEXT NOT NULL,"
        " word TEXT NOT NULL,"
        " level INTEGER NOT NULL,"
        " first_try_right INTEGER NOT NULL CHECK (first_try_right IN (0, 1)),"
        " wrong_picks INTEGER NOT NULL,"
        " timeouts INTEGER NOT NULL,"
        " ms INTEGER)",
        "CREATE INDEX answers_by_word ON answers(word_set, word)",
        "CREATE INDEX answers_by_time ON answers(time)",
        "CREATE INDEX answers_by_game ON answers(game)",
        "CREATE INDEX games_by_start ON games(started)",
    },
    {
        // The games played before paces were chosen all had the standard one.
        "ALTER TABLE games ADD COLUMN pace TEXT NOT NULL DEFAULT 'standard'",
    },
    {
        // Whose game: the child's id in the settings. The games kept before
        // there were children are no child's (0) until the first child claims them.
        "ALTER TABLE games ADD COLUMN child INTEGER NOT NULL DEFAULT 0",
        "CREATE INDEX games_by_child ON games(child)",
    },
};

// Every column the game reads or writes: a record that lacks one is not ours.
const char *const schemaProbe =
    "SELECT g.id, g.started, g.ended, g.word_set, g.score, g.level, g.pace, g.child, a.id, a.game, a.time,"
    " a.word_set, a.word, a.level, a.first_try_right, a.wrong_picks, a.timeouts, a.ms"
    " FROM games g JOIN answers a ON a.game = g.id LIMIT 0";

const char *const journalSuffixes[] = {"-wal", "-shm", "-journal"};

} // namespace

QString defaultProgressPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/wordnest/progress.sqlite");
}

QString recordTimeNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    return now.toOffsetFromUtc(now.offsetFromUtc()).toString(Qt::ISODate);
}

Failure failureOf(const QSqlError &error)
{
    if (error.type() == QSqlError::NoError)
        return Failure::None;
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case 5:  // SQLITE_BUSY
    case 6:  // SQLITE_LOCKED
        return Failure::Busy;
    case 11:  // SQLITE_CORRUPT
    case 26:  // SQLITE_NOTADB
        return Failure::Broken;
    // SQLITE_CANTOPEN (permissions, no file handles left, a folder in the
    // way) says nothing about the record itself: it is kept as it is.
    default:
        return Failure::Other;
    }
}

ProgressConnection::ProgressConnection()
{
    static QAtomicInt counter;
    name = QStringLiteral("wordnest-progress-%1").arg(counter.fetchAndAddRelaxed(1));
    database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
}

ProgressConnection::~ProgressConnection()
{
    close();
    database = QSqlDatabase();
    QSqlDatabase::removeDatabase(name);
}

void ProgressConnection::close()
{
    if (database.isOpen())
        database.close();
}

ProgressConnection::State ProgressConnection::open(const QString &path, Mode mode)
{
    setAsideAs.clear();
    logRecovered = false;
    const State state = tryOpen(path, mode);
    if (state != State::Broken || mode == Mode::Read)
        return state;
    if (!QFileInfo::exists(path))
        return State::Failed;  // nothing there to blame: the folder cannot be written
    close();
    setAsideAs = setAsideRecord(path);
    if (setAsideAs.isEmpty()) {
        detail = QStringLiteral("cannot move the broken record aside (%1)").arg(detail);
        return State::Failed;
    }
    const State fresh = tryOpen(path, mode);
    return fresh == State::Broken ? State::Failed : fresh;
}

ProgressConnection::State ProgressConnection::tryOpen(const QString &path, Mode mode)
{
    close();
    detail.clear();
    if (!database.isValid()) {
        detail = QStringLiteral("Qt's SQLite driver (QSQLITE) is not installed");
        return State::Failed;
    }
    const QFileInfo file(path);
    if (mode == Mode::Read && !file.exists())
        return State::Missing;
    if (file.exists() && !file.isFile()) {
        detail = QStringLiteral("not a file");
        return State::Failed;  // nothing of ours to set aside
    }
    if (mode == Mode::Write && !QDir().mkpath(file.absolutePath())) {
        detail = QStringLiteral("cannot make the folder %1").arg(file.absolutePath());
        return State::Failed;
    }

    database.setDatabaseName(path);
    const QString busyTimeout = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
    QSqlQuery query;
    // The failure of the step that failed, with SQLite's message kept for the page.
    auto failedWith = [&](const QSqlError &error) {
        // SQLITE_READONLY_RECOVERY or _ROLLBACK: a program killed while writing
        // left a log or journal that only a writable connection may undo or
        // fold back. The first one to read does so (as any SQLite program
        // would), then the look starts over.
        const int code = error.nativeErrorCode().toInt();
        if ((code == 264 || code == 776) && !logRecovered) {
            logRecovered = true;
            query = QSqlQuery();
            database.close();
            database.setConnectOptions(busyTimeout);
            if (database.open())
                QSqlQuery(database).exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
            return tryOpen(path, mode);
        }
        detail = error.text();
        switch (failureOf(error)) {
        case Failure::Busy: return State::Busy;
        case Failure::Broken: return State::Broken;
        default: return State::Failed;
        }
    };
    auto value = [&](const char *sql, QVariant &result) {
        if (!query.exec(QString::fromLatin1(sql)))
            return false;
        result = query.next() ? query.value(0) : QVariant();
        query.finish();
        return true;
    };

    // A file found here is looked at read-only first: closing a writable
    // connection would fold another program's log into its file.
    int version = 0;
    if (file.exists()) {
        database.setConnectOptions(busyTimeout + QStringLiteral(";QSQLITE_OPEN_READONLY"));
        if (!database.open())
            return failedWith(database.lastError());
        query = QSqlQuery(database);
        QVariant result;
        // A damaged page anywhere shows here rather than in the middle of a
        // game. Only the recorder looks, on its own thread: a huge file takes long.
        if (mode == Mode::Write && !value("PRAGMA quick_check", result))
            return failedWith(query.lastError());
        if (mode == Mode::Write && result.toString() != QLatin1String("ok")) {
            detail = result.toString();
            return State::Broken;
        }
        if (!value("PRAGMA user_version", result))
            return failedWith(query.lastError());
        version = result.toInt();
        if (version > schemaVersion) {
            detail = QStringLiteral("record version %1").arg(version);
            return State::Newer;
        }
        if (!value("SELECT count(*) FROM sqlite_master", result))
            return failedWith(query.lastError());
        if (version == 0 && result.toInt() > 0) {
            detail = QStringLiteral("a database of another program");
            return State::Broken;
        }
        if (version == 0 && mode == Mode::Read)
            return State::Missing;  // nothing was ever recorded in it
        // An earlier version's record is brought up to date by whoever opens
        // it first: the page and the export must not show it as empty.
        query = QSqlQuery();
        database.close();
    }
    database.setConnectOptions(busyTimeout);
    if (!database.open())
        return failedWith(database.lastError());
    query = QSqlQuery(database);
    QVariant result;
    if (version < schemaVersion) {
        // WAL: a reader never waits for the game, a kill loses only the open
        // transaction, and NORMAL skips a sync per commit yet stays consistent.
        if (!value("PRAGMA journal_mode=WAL", result))
            return failedWith(query.lastError());
        if (!database.transaction())
            return failedWith(database.lastError());
        for (size_t step = size_t(version); step < migrationSteps.size(); ++step)
            for (const char *sql : migrationSteps[step])
                if (!query.exec(QString::fromLatin1(sql))) {
                    const QSqlError error = query.lastError();
                    database.rollback();
                    return failedWith(error);
                }
        if (!query.exec(QStringLiteral("PRAGMA user_version=%1").arg(schemaVersion)) || !database.commit()) {
            const QSqlError error = query.lastError().isValid() ? query.lastError() : database.lastError();
            database.rollback();
            return failedWith(error);
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA synchronous=NORMAL"))
        || !query.exec(QStringLiteral("PRAGMA foreign_keys=ON")))
        return failedWith(query.lastError());
    if (!query.exec(QString::fromLatin1(schemaProbe))) {
        const QSqlError error = query.lastError();
        detail = error.text();
        switch (failureOf(error)) {
        case Failure::Busy: return State::Busy;
        case Failure::Other:  // SQLITE_ERROR: a column or table of ours is missing
            return (error.nativeErrorCode().toInt() & 0xff) == 1 ? State::Broken : State::Failed;
        default: return State::Broken;
        }
    }
    query.finish();
    return State::Ready;
}

QString setAsideRecord(const QString &path)
{
    const QFileInfo file(path);
    const QString stem = file.absolutePath() + u'/' + file.completeBaseName() + QStringLiteral("-set-aside-")
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString suffix = file.suffix().isEmpty() ? QString() : u'.' + file.suffix();
    auto taken = [](const QString &base) {
        if (QFileInfo::exists(base))
            return true;
        for (const char *journal : journalSuffixes)
            if (QFileInfo::exists(base + QLatin1String(journal)))
                return true;
        return false;
    };
    QString target = stem + suffix;
    for (int n = 2; taken(target); ++n)
        target = stem + u'-' + QString::number(n) + suffix;

    // Journals first: a journal left beside a fresh record would be replayed into it.
    bool moved = false;
    for (const char *journal : journalSuffixes) {
        const QString from = path + QLatin1String(journal);
        if (QFileInfo::exists(from) && !(moved = QFile::rename(from, target + QLatin1String(journal))))
            return {};
    }
    if (QFileInfo::exists(path) && !(moved = QFile::rename(path, target)))
        return {};
    return moved ? target : QString();
}
