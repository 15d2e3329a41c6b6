#include "progress/questiontally.h"

void QuestionTally::ask(const QString &setId, const QString &word, int level)
{
    question = QuestionResult();
    question.setId = setId;
    question.word = word;
    question.level = level;
    picked = false;
    open = true;
    clock.start();
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

QuestionResult QuestionTally::rightPick()
{
    question.firstTryRight = !picked;
    question.msToRight = clock.elapsed();
    open = false;
    return question;
}

QuestionResult QuestionTally::cutOff()
{
    open = false;
    return question;
}
