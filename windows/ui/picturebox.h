#pragma once

#include "ui/sharppicture.h"

#include <QLabel>

// A borderless picture that takes the size of whatever picture it is given and
// reports a click. It keeps every mouse press to itself, so a press on a
// picture never counts as a press on the room behind it.
class PictureBox : public QLabel
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent);

    void setPicture(const QPixmap &picture);
    // Picture `id` of the catalogue, drawn from its larger art when scaled up.
    void setPicture(int id);
    // A picture with its larger art, from any word source.
    void setPicture(const PictureArt &art);

    // A new box with the same place, size and picture, hidden.
    PictureBox *clone() const;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    SharpPicture sharp;
};
