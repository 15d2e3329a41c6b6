#include "app/picturebox.h"

#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QLabel(parent)
{
    setAttribute(Qt::WA_NoMousePropagation);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

// A picture that failed to load leaves the box as it was.
void PictureBox::setPicture(const QPixmap &picture)
{
    if (picture.isNull())
        return;
    setPixmap(picture);
    resize(picture.size());
}

PictureBox *PictureBox::clone() const
{
    auto *copy = new PictureBox(parentWidget());
    copy->hide();
    copy->setGeometry(geometry());
    copy->setPixmap(pixmap());
    copy->setToolTip(toolTip());
    return copy;
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

// A click is a press and a release over the picture, as on any button.
void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

// Drawn as it is also while the window is disabled: the room and its pictures
// stay in colour behind the help and the leaderboard instead of turning grey.
void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, pixmap());
}
