#include "ui/companionstack.h"

#include "ui/fullscreenview.h"

#include <QEvent>
#include <QShortcut>
#include <QWindow>

CompanionStack::CompanionStack(QWidget &gameWidget)
    : game(gameWidget)
{
    addKeys(&game);
    game.installEventFilter(this);
}

CompanionStack::~CompanionStack()
{
    // The view gives the game back as it goes, and what that sends must not
    // reach this stack, whose members are already gone by then.
    game.removeEventFilter(this);
    if (view)
        view->removeEventFilter(this);
}

bool CompanionStack::isFullScreen() const
{
    return view && view->isOn();
}

QWidget *CompanionStack::gameWindow() const
{
    return isFullScreen() ? static_cast<QWidget *>(view.get()) : &game;
}

FullScreenView &CompanionStack::fullScreenView()
{
    if (!view) {
        view = std::make_unique<FullScreenView>(game);
        view->installEventFilter(this);
        addKeys(view.get());
    }
    return *view;
}

void CompanionStack::setFullScreen(bool on)
{
    if (on == isFullScreen())
        return;
    // Inside the view the game's own keys would answer together with the
    // view's, and Qt fires neither of two keys that match at once.
    for (auto *key : game.findChildren<QShortcut *>(QStringLiteral("companionStackKey")))
        key->setEnabled(!on);
    // With a companion open the keyboard stays with it, not with the game.
    fullScreenView().setOn(on, companions().isEmpty());
    for (QWidget *companion : companions())
        placeOverGame(companion);
    restack();
}

void CompanionStack::addKeys(QWidget *window)
{
    if (window->findChild<QShortcut *>(QStringLiteral("companionStackKey"), Qt::FindDirectChildrenOnly))
        return; // a companion shown again keeps the keys it has
    auto *switchKey = new QShortcut(Qt::Key_F11, window);
    auto *leaveKey = new QShortcut(Qt::Key_Escape, window);
    switchKey->setObjectName(QStringLiteral("companionStackKey"));
    leaveKey->setObjectName(QStringLiteral("companionStackKey"));
    connect(switchKey, &QShortcut::activated, this, [this] { setFullScreen(!isFullScreen()); });
    connect(leaveKey, &QShortcut::activated, this, [this] { setFullScreen(false); });
}

QList<QWidget *> CompanionStack::companions() const
{
    QList<QWidget *> list;
    for (const QPointer<QWidget> &companion : open)
        if (companion)
            list.append(companion);
    return list;
}

void CompanionStack::opened(QWidget *companion)
{
    open.removeAll(companion);
    open.removeAll(nullptr);
    open.append(companion);
    companion->installEventFilter(this);
    addKeys(companion);
    game.setEnabled(false);
    placeOverGame(companion);
    restack();
}

void CompanionStack::closed(QWidget *companion)
{
    open.removeAll(companion);
    open.removeAll(nullptr);
    companion->removeEventFilter(this);
    if (!companions().isEmpty()) {
        restack();
        return;
    }
    game.setEnabled(true);
    if (gameWindow()->isVisible())
        gameWindow()->activateWindow();
}

bool CompanionStack::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view.get() || watched == &game) {
        // A click on the disabled game would leave the keyboard where no key
        // does anything: it goes back to the companion on top, once the
        // window system has finished activating the game.
        const QList<QWidget *> list = companions();
        if (event->type() == QEvent::WindowActivate && !list.isEmpty())
            QMetaObject::invokeMethod(this, &CompanionStack::restack, Qt::QueuedConnection);
        // The window system makes the view full screen some time after it is
        // shown: the companions follow to its centre.
        const bool placed = event->type() == QEvent::Resize || event->type() == QEvent::Move;
        if (watched == view.get() && placed && isFullScreen())
            for (QWidget *companion : list)
                placeOverGame(companion);
    } else if (!event->spontaneous() && !restacking) {
        // Spontaneous ones come from the window system (minimising, another
        // desktop), not from the companion opening or closing.
        auto *companion = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Hide)
            closed(companion);
        else if (event->type() == QEvent::Show)
            restack();
    }
    return QObject::eventFilter(watched, event);
}

void CompanionStack::placeOverGame(QWidget *companion)
{
    const QWidget *over = gameWindow();
    companion->move(over->geometry().center() - companion->rect().center());
}

void CompanionStack::restack()
{
    // A window manager keeps a dialog above its transient parent only while
    // that parent is the window on screen, so the parent follows the game.
    gameWindow()->winId();
    QWindow *parent = gameWindow()->windowHandle();
    const QList<QWidget *> list = companions();
    bool reparent = false;
    for (QWidget *companion : list) {
        companion->winId();
        reparent |= companion->isVisible() && companion->windowHandle()->transientParent() != parent;
    }
    restacking = true;
    for (QWidget *companion : list) {
        companion->windowHandle()->setTransientParent(parent);
        if (!companion->isVisible())
            continue;
        if (reparent) {
            // X11 reads a window's transient parent only as it is mapped:
            // shown anew, in the order they opened, each lands on the last.
            companion->hide();
            companion->show();
        } else {
            companion->raise();
        }
    }
    restacking = false;
    if (!list.isEmpty() && list.last()->isVisible())
        list.last()->activateWindow();
}
