#include "ui/fullscreenview.h"

#include <QCloseEvent>
#include <QGraphicsProxyWidget>

FullScreenView::FullScreenView(QWidget &gameWindow)
    : game(gameWindow)
{
    setWindowTitle(game.windowTitle());
    setWindowIcon(game.windowIcon());
    setScene(&scene);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setBackgroundBrush(QColor(0, 0, 128));
    setAlignment(Qt::AlignCenter);
    // The pictures choose their own art for the scale; smoothing only helps
    // where one has to be resampled.
    setRenderHints(QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
}

FullScreenView::~FullScreenView()
{
    // The scene would delete the game with its proxy.
    if (proxy)
        proxy->setWidget(nullptr);
}

FullScreenView::Fit FullScreenView::fit(const QSizeF &screen, const QSizeF &gameSize)
{
    Fit fit;
    fit.scale = std::min(screen.width() / gameSize.width(), screen.height() / gameSize.height());
    fit.offset = QPointF((screen.width() - gameSize.width() * fit.scale) / 2,
                         (screen.height() - gameSize.height() * fit.scale) / 2);
    return fit;
}

void FullScreenView::setOn(bool on, bool activate)
{
    if (on == isOn())
        return;
    // Where the help or the board is open, it keeps the keyboard: the window
    // manager would otherwise give it to the newly shown game window.
    setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    game.setAttribute(Qt::WA_ShowWithoutActivating, !activate);
    if (on) {
        windowPlace = game.pos();
        quitOnClose = game.testAttribute(Qt::WA_QuitOnClose);
        game.hide();
        proxy = scene.addWidget(&game);
        game.show(); // inside the scene now, never on the screen itself
        // Scene coordinates are the game's own.
        proxy->setPos(0, 0);
        scene.setSceneRect(QRectF(QPointF(0, 0), game.size()));
        // As showFullScreen(), but that would take the keyboard in any case.
        setWindowState(windowState() | Qt::WindowFullScreen);
        show();
        if (activate)
            activateWindow();
    } else {
        proxy->setWidget(nullptr);
        // The proxy took the game's quit-on-close and does not give it back:
        // without it, closing the game's own window would not end the run.
        game.setAttribute(Qt::WA_QuitOnClose, quitOnClose);
        delete proxy;
        proxy = nullptr;
        hide();
        // Still marked visible from the scene: shown anew as a window of its own.
        game.hide();
        game.move(windowPlace);
        game.show();
        if (activate)
            game.activateWindow();
    }
}

void FullScreenView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    const Fit fitted = fit(viewport()->size(), scene.sceneRect().size());
    setTransform(QTransform::fromScale(fitted.scale, fitted.scale));
}

// Closing the full-screen window ends the program, as closing the game does.
void FullScreenView::closeEvent(QCloseEvent *event)
{
    if (proxy && !game.close()) {
        event->ignore();
        return;
    }
    QGraphicsView::closeEvent(event);
}
