#pragma once

#include "children/childlist.h"

#include <QList>
#include <QWidget>

class ChildTile;

// "Who is playing?": the children's pictures, big, for a child who cannot
// read yet; one click chooses and closes, Esc closes with nothing changed.
// A window of its own (no parent), opened over the game between games.
class ChildPicker : public QWidget
{
    Q_OBJECT
public:
    ChildPicker(const ChildList &children, int current);

    const QList<ChildTile *> &tiles() const { return tileList; }

signals:
    void chosen(int child);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QList<ChildTile *> tileList;
};
