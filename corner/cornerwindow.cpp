#include "corner/cornerwindow.h"

#include "corner/grownupcheck.h"
#include "corner/wordsetspage.h"
#include "progresspage/progresspage.h"

#include <QLineEdit>
#include <QStackedLayout>
#include <QTabWidget>

CornerWindow::CornerWindow(const WordSets &sets, const QString &chosenId, const AnswerRecorder &recorder)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("大人的角落"));
    // A dialog, so the window manager keeps it above the game's window.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(640, 480);

    check = new GrownUpCheck(this);
    pages = new QTabWidget(this);
    wordSetsPage = new WordSetsPage(sets, chosenId, pages);
    pages->addTab(wordSetsPage, QStringLiteral("词语组"));
    connect(wordSetsPage, &WordSetsPage::chosen, this, &CornerWindow::wordSetChosen);
    progressPage = new ProgressPage(recorder, sets, pages);
    pages->addTab(progressPage, QStringLiteral("学得怎么样"));

    stack = new QStackedLayout(this);
    stack->addWidget(check);
    stack->addWidget(pages);
    connect(check, &GrownUpCheck::passed, this, [this] { stack->setCurrentWidget(pages); });
    check->answerBox->setFocus();
}

bool CornerWindow::isUnlocked() const
{
    return stack->currentWidget() == pages;
}
