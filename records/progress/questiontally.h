#pragma once

#include "progress/answerrecorder.h"

#include <QtGlobal>

#include <functional>

// Counts what happens to the question in progress, so the game's handlers
// only say what happened and the recorder gets the whole question at its end.
class QuestionTally
{
public:
    // Milliseconds from any fixed point; steady.
    using Clock = std::function<qint64()>;
    QuestionTally();
    void setClock(Clock clock) { now = std::move(clock); }

    // A new question: the word is asked now.
    void ask(const QString &setId, const QString &word, int level);
    void wrongPick();
    void timeOut();
    // The time between pause() and resume() is not the question's.
    void pause();
    void resume();
    // The right picture was picked: the question as it ended.
    QuestionResult rightPick();
    // The game ended on this question before the right pick came.
    QuestionResult cutOff();
    bool asking() const { return open; }

private:
    QuestionResult question;
    Clock now;
    qint64 askedAt = 0;
    qint64 pausedAt = -1; // -1: not paused
    bool picked = false;
    bool open = false;
};
