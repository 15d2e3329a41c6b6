#pragma once

#include "ownsets/setreader.h"
#include "progress/answerrecorder.h"
#include "wordsets/wordsets.h"

#include <QWidget>

class ChildrenPage;
class GrownUpCheck;
class MyWordsPage;
class ProgressPage;
class QStackedLayout;
class QTabWidget;
class WordSetsPage;

// The grown-ups' corner: behind a check a small child does not pass, pages
// for grown-ups, the word sets first. A window of its own (no parent), so
// that disabling the game leaves it usable; made anew at every opening.
// It opens at 640 x 480, the least it needs, and may be made larger.
class CornerWindow : public QWidget
{
    Q_OBJECT
public:
    // `child`: who plays the next game (ChildList::noChild for no child); the
    // set chosen here is theirs, the progress page shows them first.
    // `unplayable`: own folders that cannot play, shown with why.
    CornerWindow(const WordSets &sets, const QString &chosenId, int child, const AnswerRecorder &recorder,
                 const QList<ownsets::Folder> &unplayable = {});

    bool isUnlocked() const;
    // The next game is another child's now: the word sets page shows their choice.
    void setChild(int child, const QString &chosenId);

    GrownUpCheck *check = nullptr;
    QTabWidget *pages = nullptr;
    WordSetsPage *wordSetsPage = nullptr;
    ChildrenPage *childrenPage = nullptr;
    MyWordsPage *myWordsPage = nullptr;
    ProgressPage *progressPage = nullptr;

signals:
    void wordSetChosen(WordSets::Set set);
    void childrenChanged();

protected:
    // Refused while the set editor keeps changes the grown-up wants to keep editing.
    void closeEvent(QCloseEvent *event) override;

private:
    void showTilesAgain();

    QStackedLayout *stack = nullptr;
    QString chosen;
    int child;
    bool tilesStale = false;
};
