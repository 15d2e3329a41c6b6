#include "progress/sqliterecorder.h"

#include "progress/firstchildclaim.h"

#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <vector>

// The writer thread's side: its own connection, the game being written.
class RecordWriter
{
public:
    explicit RecordWriter(SqliteRecorder &owner)
        : owner(owner)
    {
    }

    // Jobs wait here while another program holds the record, at most
    // maxHeld of them, and go in one transaction with the next job that finds
    // it free. A job with more queued behind it only waits for them.
    void write(const SqliteRecorder::Job &job, bool moreQueued)
    {
        if (job.kind == SqliteRecorder::Job::Start)
            overflowed = false;
        else if (overflowed)
            return;  // the rest of a game whose answers no longer fit
        if (held.size() >= SqliteRecorder::maxHeld)
            flush();  // the lock may be gone by now
        if (held.size() >= SqliteRecorder::maxHeld) {
            overflowed = true;
            std::lock_guard lock(owner.mutex);
            ++owner.state.gamesSkipped;
            owner.state.reason = QStringLiteral("进度记录被其他程序占用太久，这一局有答题没有记录。");
            return;
        }
        held.push_back(job);
        if (!moreQueued)
            flush();
    }

    // Writes what is held; keeps it while the record is locked.
    void flush()
    {
        if (held.empty())
            return;
        if (!ready()) {
            if (state != State::Busy) {
                held.clear();
                skipGame(QString());
            }
            return;
        }
        QSqlDatabase &db = connection.db();
        const qint64 gameBefore = game;
        // A first child's claim that found the record busy goes in before a new game.
        const bool starts = std::any_of(held.cbegin(), held.cend(),
                                        [](const SqliteRecorder::Job &job) { return job.kind == SqliteRecorder::Job::Start; });
        const FirstChildClaim claim = starts ? FirstChildClaim::waiting() : FirstChildClaim();
        QSqlError error;
        bool ok = db.transaction() || (error = db.lastError(), false);
        if (ok && claim)
            ok = claim.carryOut(db, &error);
        for (size_t i = 0; ok && i < held.size(); ++i)
            ok = apply(held[i], error);
        if (ok && !db.commit())
            ok = false, error = db.lastError();
        if (!ok)
            db.rollback(), game = gameBefore;
        if (ok && claim)
            claim.done();
        std::lock_guard lock(owner.mutex);
        if (ok) {
            held.clear();
            if (owner.state.reason == waitingReason())
                owner.state.reason.clear();
            return;
        }
        if (failureOf(error) == Failure::Busy) {
            owner.state.reason = waitingReason();
            return;
        }
        held.clear();
        failed(error);
    }

    using State = ProgressConnection::State;

    // Opens the record as the recorder starts, and again as a game starts
    // while it was only busy. The status lock is never held over the disk.
    bool ready()
    {
        if (state == State::Ready)
            return true;
        if (state != State::Busy && tried)
            return false;
        tried = true;
        state = connection.open(owner.path, ProgressConnection::Mode::Write);
        if (state == State::Ready) {
            insertGame = QSqlQuery(connection.db());
            insertGame.prepare(QStringLiteral("INSERT INTO games (started, word_set, pace, child) VALUES (?, ?, ?, ?)"));
            insertAnswer = QSqlQuery(connection.db());
            insertAnswer.prepare(QStringLiteral(
                "INSERT INTO answers (game, time, word_set, word, level, first_try_right, wrong_picks,"
                " timeouts, ms) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
            endGame = QSqlQuery(connection.db());
            endGame.prepare(QStringLiteral("UPDATE games SET ended = ?, score = ?, level = ? WHERE id = ?"));
        }
        RecorderStatus &status = owner.state;
        std::lock_guard lock(owner.mutex);
        status.recording = state == State::Ready;
        if (!connection.setAsideAs.isEmpty())
            status.setAsideAs = connection.setAsideAs;
        switch (state) {
        case State::Ready:
            status.reason = status.setAsideAs.isEmpty()
                                ? QString()
                                : QStringLiteral("原来的进度记录文件无法使用，已改名保存为 %1，并新建了一个记录。")
                                      .arg(status.setAsideAs);
            break;
        case State::Busy:
            status.reason = waitingReason();
            break;
        case State::Newer:
            status.reason = QStringLiteral("进度记录是更新版本的 Wordnest 建立的，本版本不改动它，这次不记录答题。");
            break;
        default:
            status.reason = QStringLiteral("无法使用进度记录（%1），这次不记录答题。").arg(connection.detail);
            break;
        }
        return state == State::Ready;
    }

private:
    static QString waitingReason()
    {
        return QStringLiteral("进度记录正被其他程序占用，答题先记在内存里，等它空出来再写入。");
    }

    // One job inside the flush's transaction; false with `error` when it failed.
    bool apply(const SqliteRecorder::Job &job, QSqlError &error)
    {
        QSqlQuery *query = nullptr;
        switch (job.kind) {
        case SqliteRecorder::Job::Start:
            gameSkipped = false;
            query = &insertGame;
            insertGame.addBindValue(job.time);
            insertGame.addBindValue(job.start.setId);
            insertGame.addBindValue(job.start.pace);
            insertGame.addBindValue(job.start.child);
            break;
        case SqliteRecorder::Job::Question: {
            if (game < 0)
                return true;
            const QuestionResult &q = job.question;
            query = &insertAnswer;
            insertAnswer.addBindValue(game);
            insertAnswer.addBindValue(job.time);
            insertAnswer.addBindValue(q.setId);
            insertAnswer.addBindValue(q.word);
            insertAnswer.addBindValue(q.level);
            insertAnswer.addBindValue(q.firstTryRight ? 1 : 0);
            insertAnswer.addBindValue(q.wrongPicks);
            insertAnswer.addBindValue(q.timeouts);
            insertAnswer.addBindValue(q.msToRight ? QVariant(*q.msToRight)
                                                  : QVariant(QMetaType(QMetaType::LongLong)));
            break;
        }
        case SqliteRecorder::Job::End:
            if (game < 0)
                return true;
            query = &endGame;
            endGame.addBindValue(job.time);
            endGame.addBindValue(job.score);
            endGame.addBindValue(job.level);
            endGame.addBindValue(game);
            break;
        }
        const bool ok = query->exec();
        if (!ok)
            error = query->lastError();
        else if (job.kind == SqliteRecorder::Job::Start)
            game = query->lastInsertId().toLongLong();
        else if (job.kind == SqliteRecorder::Job::End)
            game = -1;
        query->finish();
        return ok;
    }

    // A write failed for another reason than a lock: what was held is lost and
    // the rest of this game goes unrecorded. Only a damaged record stops
    // recording for the session; the next start sets it aside. The status lock is held.
    void failed(const QSqlError &error)
    {
        switch (failureOf(error)) {
        case Failure::Broken:
            state = State::Failed;
            skipGameLocked(QStringLiteral("进度记录文件已损坏（%1），这次不再记录答题；下次启动时会另存旧文件并新建记录。")
                               .arg(error.text()));
            break;
        default:
            skipGameLocked(QStringLiteral("写入进度记录失败（%1），这一局有答题没有记录。").arg(error.text()));
            break;
        }
    }

    void skipGame(const QString &reason)
    {
        std::lock_guard lock(owner.mutex);
        skipGameLocked(reason);
    }
    void skipGameLocked(const QString &reason)
    {
        game = -1;
        if (!gameSkipped)
            ++owner.state.gamesSkipped;
        gameSkipped = true;
        if (!reason.isEmpty())
            owner.state.reason = reason;
        owner.state.recording = state == State::Ready;
    }

    SqliteRecorder &owner;
    ProgressConnection connection;
    State state = State::Failed;
    bool tried = false;
    qint64 game = -1;
    bool gameSkipped = false;
    std::vector<SqliteRecorder::Job> held;
    bool overflowed = false;
    QSqlQuery insertGame, insertAnswer, endGame;
};

SqliteRecorder::SqliteRecorder(const QString &path)
    : path(path)
{
    state.reason = QStringLiteral("这次还没有玩过：开始玩以后，每一次答题都会记下来。");
    writing = true;  // opening
    writer = std::thread([this] { run(); });
}

SqliteRecorder::~SqliteRecorder()
{
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    changed.notify_all();
    writer.join();
}

void SqliteRecorder::gameStarted(const GameStart &game)
{
    post(Job{Job::Start, recordTimeNow(), {}, 0, 0, game});
}

void SqliteRecorder::questionEnded(const QuestionResult &question)
{
    post(Job{Job::Question, recordTimeNow(), question, 0, 0, {}});
}

void SqliteRecorder::gameEnded(int finalScore, int levelReached)
{
    post(Job{Job::End, recordTimeNow(), {}, finalScore, levelReached, {}});
}

RecorderStatus SqliteRecorder::status() const
{
    std::lock_guard lock(mutex);
    return state;
}

void SqliteRecorder::waitForWrites()
{
    std::unique_lock lock(mutex);
    openNow = true;
    changed.notify_all();
    changed.wait(lock, [this] { return queue.empty() && !writing; });
}

void SqliteRecorder::post(Job job)
{
    {
        std::lock_guard lock(mutex);
        queue.push_back(std::move(job));
    }
    changed.notify_all();
}

void SqliteRecorder::run()
{
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return !queue.empty() || stopping || openNow; });
    }
    RecordWriter out(*this);
    out.ready();  // at once, so the page can tell before the first game how the record is
    std::unique_lock lock(mutex);
    writing = false;
    changed.notify_all();
    for (;;) {
        changed.wait(lock, [this] { return stopping || !queue.empty(); });
        if (queue.empty()) {  // stopping: a last try for what a lock held back
            lock.unlock();
            out.flush();
            return;
        }
        Job job = std::move(queue.front());
        queue.pop_front();
        const bool moreQueued = !queue.empty();
        writing = true;
        lock.unlock();
        out.write(job, moreQueued);
        lock.lock();
        writing = false;
        changed.notify_all();
    }
}
