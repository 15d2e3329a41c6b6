#include "app/fullscreenview.h"

#include "app/form1.h"
#include "app/form2.h"
#include "leaderboard/form3.h"

#include <QCloseEvent>
#include <QGraphicsProxyWidget>
#include <QShortcut>
#include <QWindow>

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

// --- the game's side of the switch ---

FullScreenView &Form2::fullScreenView()
{
    if (!screenView) {
        screenView = std::make_unique<FullScreenView>(*this);
        auto *leave = new QShortcut(Qt::Key_Escape, screenView.get());
        connect(leave, &QShortcut::activated, this, [this] { setFullScreenGame(false); });
    }
    return *screenView;
}

bool Form2::fullScreenGame() const
{
    return screenView && screenView->isOn();
}

void Form2::setFullScreenGame(bool on)
{
    if (on == fullScreenGame())
        return;
    QWidget *companion = helpWindow ? static_cast<QWidget *>(helpWindow)
                         : form3 && form3->isVisible() ? form3.get() : nullptr;
    fullScreenView().setOn(on, companion == nullptr);
    // The help or the board stays over the game in its new window.
    if (companion)
        placeOverGame(companion);
}

void Form2::addFullScreenKey(QWidget *window)
{
    auto *key = new QShortcut(Qt::Key_F11, window);
    connect(key, &QShortcut::activated, this, [this] { setFullScreenGame(!fullScreenGame()); });
}

QWidget *Form2::gameWindow()
{
    return fullScreenGame() ? static_cast<QWidget *>(screenView.get()) : this;
}

void Form2::placeOverGame(QWidget *companion)
{
    QWidget *over = gameWindow();
    companion->move(over->geometry().center() - companion->rect().center());
    // Kept above the game by the window manager, also above a full screen.
    companion->winId();
    companion->windowHandle()->setTransientParent(over->windowHandle());
    if (companion->isVisible()) {
        companion->raise();
        companion->activateWindow();
    }
}
