#include "corner/cornerbutton.h"

#include "corner/cornerwindow.h"
#include "ownsets/setsondisk.h"
#include "ui/companionstack.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

CornerButton::CornerButton(QWidget &game, CompanionStack &companionStack, std::function<QString()> chosen,
                           std::function<int()> playing, std::function<void(WordSets::Set)> chooseSet,
                           const AnswerRecorder &answerRecorder)
    : QPushButton(&game)
    , stack(companionStack)
    , chosenId(std::move(chosen))
    , child(std::move(playing))
    , choose(std::move(chooseSet))
    , recorder(answerRecorder)
{
    // Below the start and help buttons, where the panel has nothing else.
    setGeometry(505, 410, 26, 26);
    setToolTip(QStringLiteral("大人的角落：家长和老师在这里选词语"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover); // repainted as the mouse comes and goes
    setAccessibleName(QStringLiteral("大人的角落"));
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

// A gear in quiet colours, so that a child's eye stays on the game; dimmer
// still while a game runs.
void CornerButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = !isEnabled() ? QColor(0x38, 0x38, 0x98)
                       : underMouse() ? QColor(Qt::white) : QColor(0xb0, 0xb0, 0xe8);
    const QPointF centre = QRectF(rect()).center();
    QPainterPath gear;
    constexpr int teeth = 8;
    for (int i = 0; i < 2 * teeth; ++i) {
        const double angle = M_PI * i / teeth;
        const double radius = i % 2 == 0 ? 10.5 : 8.0;
        for (double side : {-0.17, 0.17}) {
            const QPointF at = centre + radius * QPointF(std::cos(angle + side), std::sin(angle + side));
            i == 0 && side < 0 ? gear.moveTo(at) : gear.lineTo(at);
        }
    }
    gear.closeSubpath();
    gear.addEllipse(centre, 3.5, 3.5); // the hole, left open by the odd-even fill
    painter.fillPath(gear, ink);
}

void CornerButton::open()
{
    if (corner) {
        stack.opened(corner);
        corner->show();
        return;
    }
    const SetsOnDisk sets = setsOnDisk();
    corner = new CornerWindow(sets.playable, chosenId(), child(), recorder, sets.unplayable);
    connect(corner, &CornerWindow::wordSetChosen, this, [this](WordSets::Set set) { choose(std::move(set)); });
    connect(corner, &CornerWindow::childrenChanged, this, &CornerButton::childrenChanged);
    stack.opened(corner);
    corner->show();
}
