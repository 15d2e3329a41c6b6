#include "corner/tilegrid.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>

TileGrid::TileGrid(int width, QWidget *parent)
    : QScrollArea(parent)
    , tileWidth(width)
{
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus); // Tab goes straight to the tiles
    auto *inside = new QWidget;
    grid = new QGridLayout(inside);
    grid->setSpacing(10);
    grid->setContentsMargins(2, 2, 2, 2);
    // Centred in a wide window rather than left in its corner.
    grid->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    setWidget(inside);
    // On the page's own background.
    inside->setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
}

void TileGrid::add(QWidget *tile)
{
    tile->installEventFilter(this);
    tiles.append(tile);
    // The columns stay: the new tile goes after the others.
    if (columnCount == 0)
        return flow();
    const auto at = tiles.size() - 1;
    grid->addWidget(tile, int(at / columnCount), int(at % columnCount));
}

void TileGrid::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    flow();
}

void TileGrid::flow()
{
    // The scroll bar's room is kept whether it shows or not: its coming and
    // going must not flow the tiles again, which could bring it back.
    const int room = width() - verticalScrollBar()->sizeHint().width() - grid->contentsMargins().left()
                     - grid->contentsMargins().right() - 2 * frameWidth();
    const int fit = std::max(1, (room + grid->horizontalSpacing()) / (tileWidth + grid->horizontalSpacing()));
    if (fit == columnCount)
        return;
    columnCount = fit;
    for (QWidget *tile : std::as_const(tiles))
        grid->removeWidget(tile);
    for (int i = 0; i < tiles.size(); ++i)
        grid->addWidget(tiles.at(i), i / fit, i % fit);
}

bool TileGrid::eventFilter(QObject *watched, QEvent *event)
{
    auto *tile = qobject_cast<QWidget *>(watched);
    if (event->type() == QEvent::FocusIn)
        ensureWidgetVisible(tile, 0, grid->verticalSpacing());
    if (event->type() != QEvent::KeyPress)
        return false;
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Left:
        return moveFocus(tile, -1);
    case Qt::Key_Right:
        return moveFocus(tile, 1);
    case Qt::Key_Up:
        return moveFocus(tile, -columnCount);
    case Qt::Key_Down:
        return moveFocus(tile, columnCount);
    default:
        return false;
    }
}

bool TileGrid::moveFocus(QWidget *from, int step)
{
    for (qsizetype at = tiles.indexOf(from) + step; at >= 0 && at < tiles.size(); at += step)
        if (tiles.at(at)->isEnabled() && (tiles.at(at)->focusPolicy() & Qt::TabFocus)) {
            tiles.at(at)->setFocus(Qt::TabFocusReason);
            ensureWidgetVisible(tiles.at(at), 0, grid->verticalSpacing()); // also while the window is not active
            return true;
        }
    return true; // at an edge the view stays where it is
}
