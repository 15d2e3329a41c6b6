#pragma once

#include <QString>

#include <optional>

// One question as it ended: answered right, or cut off by the end of the game.
struct QuestionResult
{
    QString setId;  // the word's set and its text together are the word's stable key
    QString word;
    int level = 0;
    bool firstTryRight = false;  // the first pick was the right picture (time-outs do not count as picks)
    int wrongPicks = 0;
    int timeouts = 0;
    std::optional<qint64> msToRight;  // empty when the right pick never came
};

// How a game began: its word set, how the question clock pressed (the pace's
// settings name: "standard", "slower", "untimed") and whose game it is.
struct GameStart
{
    static inline const QString standardPace = QStringLiteral("standard");

    QString setId;
    QString pace = standardPace;
    int child = 0;  // the child's id in the settings; 0 for no child
};

// What a grown-up should know about the record.
struct RecorderStatus
{
    bool recording = false;  // answers are being kept
    int gamesSkipped = 0;  // games of this session left wholly or partly unrecorded (the record was busy)
    QString setAsideAs;  // where a broken record was moved this session, empty when none was
    QString reason;  // why nothing or not everything is kept, in Chinese; empty when all is well
};

// Keeps every answer of every game. The game calls it as a game starts, once
// for each question as it ends (answered, or cut off by the game's end) and as
// the game ends; no call ever waits for a disk.
class AnswerRecorder
{
public:
    virtual ~AnswerRecorder() = default;

    virtual void gameStarted(const GameStart &game) = 0;
    virtual void questionEnded(const QuestionResult &question) = 0;
    virtual void gameEnded(int finalScore, int levelReached) = 0;
    virtual RecorderStatus status() const = 0;
};

// Keeps nothing: for tests of the game, and for a game that must not record.
class NoRecorder final : public AnswerRecorder
{
public:
    void gameStarted(const GameStart &) override {}
    void questionEnded(const QuestionResult &) override {}
    void gameEnded(int, int) override {}
    RecorderStatus status() const override { return {}; }
};

// The game's recorder where none is given.
inline NoRecorder noRecording;
