#include "forms/pausesign.h"

#include "catalogue/songfont.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

PauseSign::PauseSign(QWidget &game)
    : QWidget(&game)
{
    setAccessibleName(QStringLiteral("暂停"));
    hide();
}

void PauseSign::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), QColor(0, 0, 64, 150));

    // A rounded board in the middle of the room (the left 450 pixels).
    const QRectF board(65, 140, 320, 170);
    QPainterPath outline;
    outline.addRoundedRect(board, 24, 24);
    painter.fillPath(outline, QColor(255, 248, 220));
    painter.setPen(QPen(QColor(255, 170, 0), 6));
    painter.drawPath(outline);

    // Two bars, as on a player's pause button, beside the word.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 128));
    painter.drawRoundedRect(QRectF(100, 180, 18, 62), 5, 5);
    painter.drawRoundedRect(QRectF(130, 180, 18, 62), 5, 5);

    painter.setPen(QColor(0, 0, 128));
    painter.setFont(songFont(40));
    painter.drawText(QRectF(160, 160, 210, 100), Qt::AlignCenter, QStringLiteral("暂停"));
    painter.setFont(songFont(11));
    painter.drawText(QRectF(board.left(), 262, board.width(), 30), Qt::AlignCenter,
                     QStringLiteral("点一下或按任意键，接着玩"));
}

// The window's own filter has resumed the game by now; the press stops here.
void PauseSign::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}
