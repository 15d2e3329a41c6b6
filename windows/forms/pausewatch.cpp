#include "forms/pausewatch.h"

#include "rules/gamerules.h"
#include "ui/companionstack.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

PauseWatch::PauseWatch(GameRules &gameRules, CompanionStack &companionStack, QObject *parent)
    : QObject(parent)
    , rules(gameRules)
    , companions(companionStack)
{
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            rules.pause();
    });
    // Keys go to whichever widget has the focus, in full screen the view's:
    // only the application sees them all.
    qApp->installEventFilter(this);
}

PauseWatch::~PauseWatch()
{
    qApp->removeEventFilter(this);
}

bool PauseWatch::inGameWindow(QObject *object) const
{
    const auto *widget = qobject_cast<QWidget *>(object);
    return widget && widget->window() == companions.gameWindow();
}

bool PauseWatch::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::WindowStateChange:
        if (watched == companions.gameWindow() && companions.gameWindow()->isMinimized())
            rules.pause();
        break;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!inGameWindow(watched))
            break;
        // A held P repeats: it neither ends the pause it began nor asks anything.
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->isAutoRepeat())
            return rules.paused();
        if (rules.paused()) {
            rules.resume();
            return true; // neither judged nor heard
        }
        if (event->type() == QEvent::KeyPress && rules.gameOn) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_P || key->key() == Qt::Key_Pause) {
                rules.pause();
                return true;
            }
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
