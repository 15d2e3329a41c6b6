#pragma once

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

// Closes the window the game is in as its close button does; true when the
// run ends at once, false when the event loop goes on to wait for more.
inline bool closingEndsTheRun(QWidget *gameWindow)
{
    QObject waiting; // its connection goes with it
    bool wentOn = false;
    QTimer::singleShot(0, &waiting, [&] {
        gameWindow->windowHandle()->close();
        QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &waiting,
                         [&] { wentOn = true, QCoreApplication::exit(1); });
    });
    return QApplication::exec() == 0 && !wentOn;
}
