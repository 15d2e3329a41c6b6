#pragma once

#include "progress/answerrecorder.h"
#include "wordsets/wordsets.h"

#include <QPointer>
#include <QPushButton>

#include <functional>

class CornerWindow;
class CompanionStack;

// The small button on the game's panel that opens the grown-ups' corner, as
// a companion over the game. The game enables it only while no game runs.
// It shows a drawn gear rather than a word: Chinese text on it would load
// the CJK font at start, some 4 MB before anything needs it.
class CornerButton : public QPushButton
{
    Q_OBJECT
public:
    // `chosenId` tells which set the next game plays and `child` for whom;
    // `choose` makes a set the next game's.
    CornerButton(QWidget &game, CompanionStack &stack, std::function<QString()> chosenId, std::function<int()> child,
                 std::function<void(WordSets::Set)> choose, const AnswerRecorder &recorder);

    ~CornerButton() override;

    void open();
    // The corner while it is open, else null.
    CornerWindow *cornerWindow() const;

signals:
    // Children were added, changed or removed in the corner.
    void childrenChanged();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CompanionStack &stack;
    std::function<QString()> chosenId;
    std::function<int()> child;
    std::function<void(WordSets::Set)> choose;
    const AnswerRecorder &recorder;
    QPointer<CornerWindow> corner;
};
