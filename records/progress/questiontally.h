#pragma once

#include "progress/answerrecorder.h"

#include <QElapsedTimer>

// Counts what happens to the question in progress, so the game's handlers
// only say what happened and the recorder gets the whole question at its end.
class QuestionTally
{
public:
    // A new question: the word is asked now.
    void ask(const QString &setId, const QString &word, int level);
    void wrongPick();
    void timeOut();
    // The right picture was picked: the question as it ended.
    QuestionResult rightPick();
    // The game ended on this question before the right pick came.
    QuestionResult cutOff();
    bool asking() const { return open; }

private:
    QuestionResult question;
    QElapsedTimer clock;
    bool picked = false;
    bool open = false;
};
