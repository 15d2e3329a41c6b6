#pragma once

#include "progress/answerrecorder.h"
#include "progress/progressdatabase.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// Keeps the answers in the SQLite record. The calls only queue what happened
// (with the time it happened); a thread of its own writes each question in a
// transaction of its own as soon as it is queued, so a locked or slow disk
// never holds up the game and a kill loses at most the question in progress.
// While another program holds the record, up to maxHeld jobs wait in memory
// and are written with the first one that finds the record free.
// A first child's claim on the answers of no child that found the record
// busy (see FirstChildClaim) is carried out with the next game's start.
// Make it once a QCoreApplication exists: Qt loads its SQLite driver through it.
// The record is opened at the first call (a game's start, or a wait for the
// writes): loading SQLite and reading the file would slow the game's start and
// add to its memory while only the room is shown.
class SqliteRecorder final : public AnswerRecorder
{
public:
    explicit SqliteRecorder(const QString &path = defaultProgressPath());
    // Writes whatever is still queued, then closes the record.
    ~SqliteRecorder() override;

    void gameStarted(const GameStart &game) override;
    void questionEnded(const QuestionResult &question) override;
    void gameEnded(int finalScore, int levelReached) override;
    RecorderStatus status() const override;

    // Returns once the record is open and everything asked so far is written
    // or given up.
    void waitForWrites();

    struct Job
    {
        enum Kind { Start, Question, End } kind;
        QString time;
        QuestionResult question;  // Question only
        int score = 0;
        int level = 0;
        GameStart start;          // Start only
    };
    static constexpr size_t maxHeld = 1000;

private:
    void post(Job job);
    void run();

    const QString path;
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::deque<Job> queue;
    bool writing = false;
    bool stopping = false;
    bool openNow = false;  // someone waits for the record: no more delay
    RecorderStatus state;
    std::thread writer;

    friend class RecordWriter;
};
