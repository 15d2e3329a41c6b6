#include "children/childpicker.h"

#include "children/childtile.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {
constexpr int pictureSide = 96;
constexpr int mostRowsShown = 4;
} // namespace

ChildPicker::ChildPicker(const ChildList &children, int current)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("谁在玩？"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    QPalette navy = palette();
    navy.setColor(QPalette::Window, QColor(0, 0, 128));
    navy.setColor(QPalette::WindowText, Qt::white);
    setPalette(navy);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus); // F11 works here even with no child to pick

    auto *area = new QWidget;
    area->setPalette(navy);
    auto *grid = new QGridLayout(area);
    grid->setSpacing(10);
    const int count = int(children.children().size());
    // A family in one row; a class as square as it makes, at most five across
    // so that the picker stays about as wide as the game.
    const int columns = count <= 4 ? std::max(count, 1) : std::min(int(std::ceil(std::sqrt(double(count)))), 5);
    for (const Child &child : children.children()) {
        auto *tile = new ChildTile(child, pictureSide, area);
        tile->setMarked(child.id == current);
        QPalette dark = tile->palette();
        dark.setColor(QPalette::WindowText, Qt::black);
        tile->setPalette(dark);
        connect(tile, &ChildTile::clicked, this, [this, id = child.id] {
            emit chosen(id);
            close();
        });
        grid->addWidget(tile, int(tileList.size()) / columns, int(tileList.size()) % columns);
        tileList.append(tile);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    const int rows = (count + columns - 1) / columns;
    if (rows <= mostRowsShown) {
        layout->addWidget(area);
    } else { // a whole class: the rest of the rows scroll
        auto *scroll = new QScrollArea(this);
        scroll->setWidget(area);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // A light handle in a dark groove: a white bar would cut the picker in two.
        scroll->verticalScrollBar()->setStyleSheet(QStringLiteral(
            "QScrollBar:vertical { background: #000060; width: 16px; margin: 0; }"
            "QScrollBar::handle:vertical { background: #9aa8e0; border-radius: 6px; min-height: 40px; margin: 2px; }"
            "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
            "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
        area->adjustSize();
        scroll->setFixedSize(area->width() + scroll->verticalScrollBar()->sizeHint().width(),
                             area->height() * mostRowsShown / rows);
        layout->addWidget(scroll);
    }
    setFixedSize(sizeHint());
    if (!tileList.isEmpty())
        tileList.first()->setFocus();
}

// The companions' Esc leaves full screen; here it closes the picker instead.
bool ChildPicker::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void ChildPicker::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
