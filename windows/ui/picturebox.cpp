#include "ui/picturebox.h"

#include "catalogue/catalogue.h"

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
    setPicture(PictureArt{picture, {}});
}

void PictureBox::setPicture(int id)
{
    setPicture(catalogue::loadPictureArt(id));
}

void PictureBox::setPicture(const PictureArt &art)
{
    if (art.isNull())
        return;
    setPixmap(art.picture);
    sharp.set(art);
    resize(art.picture.size());
}

PictureBox *PictureBox::clone() const
{
    auto *copy = new PictureBox(parentWidget());
    copy->hide();
    copy->setGeometry(geometry());
    copy->setPixmap(pixmap());
    copy->sharp = sharp;
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
    sharp.draw(painter, {0, 0});
}
