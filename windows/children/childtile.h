#pragma once

#include "children/childlist.h"
#include "ui/sharppicture.h"

#include <QAbstractButton>

// A child as a big picture with their name under it: a button a child knows
// by its picture. The name is drawn as plain text, whatever it holds.
class ChildTile : public QAbstractButton
{
    Q_OBJECT
public:
    ChildTile(const Child &child, int pictureSide, QWidget *parent = nullptr);

    int childId() const { return id; }
    const QString &name() const { return childName; }
    // Marked with a thick frame: the child who plays.
    void setMarked(bool on);
    bool isMarked() const { return marked; }

    QSize sizeHint() const override;

signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    int id;
    QString childName; // not the button's text, where an & would make a shortcut
    int side;
    bool marked = false;
    SharpPicture picture;
};
