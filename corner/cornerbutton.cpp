#include "corner/cornerbutton.h"

#include "corner/cornerwindow.h"
#include "ownwords/ownsets.h"
#include "ui/windowframe.h"

CornerButton::CornerButton(QWidget &game, WindowFrame &windowFrame, std::function<QString()> chosen,
                           std::function<void(WordSets::Set)> chooseSet)
    : QPushButton(QStringLiteral("大人"), &game)
    , frame(windowFrame)
    , chosenId(std::move(chosen))
    , choose(std::move(chooseSet))
{
    // Below the start and help buttons, where the panel has nothing else;
    // quiet colours, so that a child's eye stays on the game.
    setGeometry(489, 412, 56, 24);
    setToolTip(QStringLiteral("大人的角落：家长和老师在这里选词语"));
    setFocusPolicy(Qt::NoFocus);
    setStyleSheet(QStringLiteral("QPushButton { color: #b8b8e8; background: #10107a; border: 1px solid #4a4aa8;"
                                 " border-radius: 4px; }"
                                 "QPushButton:hover { color: white; }"
                                 "QPushButton:disabled { color: #40408a; border-color: #24248c; }"));
    connect(this, &QPushButton::clicked, this, &CornerButton::open);
}

CornerButton::~CornerButton()
{
    delete corner; // a window of its own: it would outlive the game
}

CornerWindow *CornerButton::cornerWindow() const
{
    return corner;
}

void CornerButton::open()
{
    if (corner) {
        frame.opened(corner);
        corner->show();
        return;
    }
    corner = new CornerWindow(allWordSets(), chosenId());
    connect(corner, &CornerWindow::wordSetChosen, this, [this](WordSets::Set set) { choose(std::move(set)); });
    frame.opened(corner);
    corner->show();
}
