#pragma once

#include <QList>
#include <QScrollArea>

class QGridLayout;

// Tiles of one width in as many columns as the width holds, flowing again
// when it changes, scrolled up and down. The arrow keys go from tile to tile
// as Tab does, and the view follows the tile that has the keyboard.
class TileGrid : public QScrollArea
{
    Q_OBJECT
public:
    explicit TileGrid(int tileWidth, QWidget *parent = nullptr);

    // After the tiles added before, in reading order.
    void add(QWidget *tile);
    int columns() const { return columnCount; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void flow();
    // To the first tile `step` places on from `from` that takes the keyboard.
    bool moveFocus(QWidget *from, int step);

    int tileWidth;
    int columnCount = 0;
    QGridLayout *grid = nullptr;
    QList<QWidget *> tiles;
};
