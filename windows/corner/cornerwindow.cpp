#include "corner/cornerwindow.h"

#include "children/childrenpage.h"
#include "corner/grownupcheck.h"
#include "corner/wordsetspage.h"
#include "ownsets/setsondisk.h"
#include "progresspage/progresspage.h"
#include "wordeditor/mywordspage.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QStackedLayout>
#include <QTabWidget>

CornerWindow::CornerWindow(const WordSets &sets, const QString &chosenId, int playing, const AnswerRecorder &recorder,
                           const QList<ownsets::Folder> &unplayable)
    : child(playing)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("大人的角落"));
    // A dialog, so the window manager keeps it above the game's window.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);
    setMinimumSize(640, 480);
    resize(minimumSize());

    check = new GrownUpCheck(this);
    pages = new QTabWidget(this);
    wordSetsPage = new WordSetsPage(sets, unplayable, chosenId, child, pages);
    pages->addTab(wordSetsPage, QStringLiteral("词语组"));
    connect(wordSetsPage, &WordSetsPage::chosen, this, &CornerWindow::wordSetChosen);
    childrenPage = new ChildrenPage(pages);
    pages->addTab(childrenPage, QStringLiteral("孩子们"));
    connect(childrenPage, &ChildrenPage::childrenChanged, this, &CornerWindow::childrenChanged);
    myWordsPage = new MyWordsPage(pages);
    pages->addTab(myWordsPage, QStringLiteral("我的词语"));
    connect(myWordsPage, &MyWordsPage::chosen, this, &CornerWindow::wordSetChosen);
    // The tiles show own sets too: made anew when shown after "my words" changed any.
    chosen = chosenId;
    connect(this, &CornerWindow::wordSetChosen, this, [this](const WordSets::Set &set) { chosen = set->id(); });
    connect(myWordsPage, &MyWordsPage::setsChanged, this, [this] { tilesStale = true; });
    connect(myWordsPage, &MyWordsPage::chosen, this, [this] { tilesStale = true; }); // marked as playing once
    // A deleted set cannot be the next game's: it would bring its board back.
    connect(myWordsPage, &MyWordsPage::setDeleted, this, [this](const QString &id) {
        if (id == chosen)
            emit wordSetChosen(WordSets().standard());
    });
    connect(pages, &QTabWidget::currentChanged, this, [this] {
        if (tilesStale && pages->currentWidget() == wordSetsPage)
            showTilesAgain();
    });
    progressPage = new ProgressPage(recorder, sets, child, pages);
    pages->addTab(progressPage, QStringLiteral("学得怎么样"));
    // The tricky tile shows the words the record holds.
    connect(progressPage, &ProgressPage::forgot, this, [this] { tilesStale = true; });

    stack = new QStackedLayout(this);
    stack->addWidget(check);
    stack->addWidget(pages);
    connect(check, &GrownUpCheck::passed, this, [this] { stack->setCurrentWidget(pages); });
    check->answerBox->setFocus();
}

void CornerWindow::showTilesAgain()
{
    tilesStale = false;
    const int at = pages->indexOf(wordSetsPage);
    WordSetsPage *old = wordSetsPage;
    const SetsOnDisk now = setsOnDisk();
    wordSetsPage = new WordSetsPage(now.playable, now.unplayable, chosen, child, pages);
    connect(wordSetsPage, &WordSetsPage::chosen, this, &CornerWindow::wordSetChosen);
    pages->insertTab(at, wordSetsPage, pages->tabText(at));
    pages->setCurrentWidget(wordSetsPage);
    pages->removeTab(pages->indexOf(old));
    old->deleteLater();
}

void CornerWindow::setChild(int childId, const QString &chosenId)
{
    if (childId == child)
        return;
    child = childId;
    chosen = chosenId;
    tilesStale = true;
    if (pages->currentWidget() == wordSetsPage)
        showTilesAgain();
}

bool CornerWindow::isUnlocked() const
{
    return stack->currentWidget() == pages;
}

void CornerWindow::closeEvent(QCloseEvent *event)
{
    // The editor is this window's child: it would go without asking.
    if (!myWordsPage->closeEditor())
        return event->ignore();
    QWidget::closeEvent(event);
}
