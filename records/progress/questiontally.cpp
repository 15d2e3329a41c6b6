#include "progress/questiontally.h"

#include <QElapsedTimer>

QuestionTally::QuestionTally()
    : now([] {
        // Monotonic; only differences are ever used.
        static QElapsedTimer since = [] { QElapsedTimer t; t.start(); return t; }();
        return since.elapsed();
    })
{
}

void QuestionTally::ask(const QString &setId, const QString &word, int level)
{
    question = QuestionResult();
    question.setId = setId;
    question.word = word;
    question.level = level;
    picked = false;
    open = true;
    askedAt = now();
    pausedAt = -1;
}

void QuestionTally::wrongPick()
{
    ++question.wrongPicks;
    picked = true;
}

void QuestionTally::timeOut()
{
    ++question.timeouts;
}

void QuestionTally::pause()
{
    if (pausedAt < 0)
        pausedAt = now();
}

// The question counts as asked later by as long as it was paused.
void QuestionTally::resume()
{
    if (pausedAt < 0)
        return;
    askedAt += now() - pausedAt;
    pausedAt = -1;
}

QuestionResult QuestionTally::rightPick()
{
    question.firstTryRight = !picked;
    question.msToRight = now() - askedAt;
    open = false;
    return question;
}

QuestionResult QuestionTally::cutOff()
{
    open = false;
    return question;
}
