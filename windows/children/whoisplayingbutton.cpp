#include "children/whoisplayingbutton.h"

#include "children/childpicker.h"
#include "children/childpicture.h"
#include "ui/companionstack.h"

#include <QMouseEvent>
#include <QTextDocument>
#include <QPainter>

namespace {
constexpr int side = 64;
constexpr int border = 4;
} // namespace

WhoIsPlayingButton::WhoIsPlayingButton(QWidget &game, CompanionStack &companionStack)
    : QAbstractButton(&game)
    , stack(companionStack)
{
    // Below the start and help buttons and the score, above the corner's gear.
    setGeometry(486, 326, side, side);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    hide();
    connect(this, &QAbstractButton::clicked, this, &WhoIsPlayingButton::openPicker);
}

WhoIsPlayingButton::~WhoIsPlayingButton()
{
    delete pickerWindow; // a window of its own: it would outlive the game
}

ChildPicker *WhoIsPlayingButton::picker() const
{
    return pickerWindow;
}

void WhoIsPlayingButton::showChild(const ChildList &children, int shown)
{
    const std::optional<Child> found = children.byId(shown);
    child = found ? found->id : ChildList::noChild;
    if (found)
        picture.set(childPicture(found->picture, side - 2 * border));
    setToolTip(found ? Qt::convertFromPlainText(found->name) : QString()); // never read as markup
    setAccessibleName(found ? found->name : QString());
    setVisible(found && children.children().size() >= 2);
    update();
}

void WhoIsPlayingButton::openPicker()
{
    if (!pickerWindow) {
        pickerWindow = new ChildPicker(ChildList(), child);
        connect(pickerWindow, &ChildPicker::chosen, this, [this](int id) {
            ChildList().setCurrent(id); // not kept (settings not writable): still this run's choice
            emit chosen(id);
        });
    }
    stack.opened(pickerWindow);
    pickerWindow->show();
}

// Like every control of the game, a press stays here and never reaches the room.
void WhoIsPlayingButton::mousePressEvent(QMouseEvent *event)
{
    QAbstractButton::mousePressEvent(event);
    event->accept();
}

void WhoIsPlayingButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Dim while a game runs (the child still sees whose game it is), not
    // while the whole game waits behind a window such as this picker.
    const bool duringGame = testAttribute(Qt::WA_ForceDisabled);
    const bool lit = isEnabled() && (underMouse() || isDown());
    painter.setPen(Qt::NoPen);
    painter.setBrush(lit ? QColor(0xff, 0xd0, 0x40) : duringGame ? QColor(0x50, 0x50, 0xa0) : QColor(Qt::white));
    painter.drawRoundedRect(QRectF(rect()), 8, 8);
    if (duringGame)
        painter.setOpacity(0.45);
    picture.draw(painter, QPointF(border, border));
}
