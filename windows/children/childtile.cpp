#include "children/childtile.h"

#include "children/childpicture.h"

#include <QTextDocument>
#include <QPainter>

namespace {
constexpr int margin = 6;
}

ChildTile::ChildTile(const Child &child, int pictureSide, QWidget *parent)
    : QAbstractButton(parent)
    , id(child.id)
    , childName(child.name)
    , side(pictureSide)
{
    picture.set(childPicture(child.picture, side));
    setToolTip(Qt::convertFromPlainText(child.name)); // a tooltip that looks like markup is shown as such
    setAccessibleName(child.name);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    setFixedSize(sizeHint());
}

void ChildTile::setMarked(bool on)
{
    marked = on;
    update();
}

QSize ChildTile::sizeHint() const
{
    return {side + 2 * margin, side + 2 * margin + fontMetrics().height() + 4};
}

void ChildTile::mouseDoubleClickEvent(QMouseEvent *event)
{
    QAbstractButton::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

void ChildTile::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(2, 2, -2, -2);
    const bool lit = isEnabled() && (underMouse() || hasFocus() || isDown());
    painter.setPen(QPen(marked ? QColor(0xe8, 0x9a, 0x00) : lit ? QColor(0x40, 0x60, 0xc0) : QColor(0xc8, 0xc8, 0xd8),
                        marked ? 4 : 2));
    painter.setBrush(marked ? QColor(0xff, 0xf4, 0xd0) : QColor(Qt::white));
    painter.drawRoundedRect(frame, 8, 8);
    if (!isEnabled())
        painter.setOpacity(0.4);
    picture.draw(painter, QPointF(margin, margin));
    const QRect nameRect(margin, margin + side + 2, side, fontMetrics().height());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(nameRect, Qt::AlignCenter, fontMetrics().elidedText(childName, Qt::ElideRight, side));
}
