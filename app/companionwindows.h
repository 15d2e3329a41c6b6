#pragma once

#include <QList>

#include <functional>

class QWidget;

// The help and the leaderboard open beside the main window and keep it from
// taking input while either of them is open. Both report here, so that the
// first one to close cannot give the main window back under the other.
class CompanionWindows
{
public:
    // `placeOverGame` puts a companion over the game, wherever the game is
    // shown (its window or full screen).
    CompanionWindows(QWidget &mainWindow, std::function<void(QWidget *)> placeOverGame);

    // Disables the main window and places the companion over the game.
    // Opening one that is open already is no change to the main window.
    void opened(QWidget *companion);
    // Enables the main window again once no companion is open.
    void closed(const QWidget *companion);

private:
    QWidget &mainWindow;
    std::function<void(QWidget *)> placeOverGame;
    QList<const QWidget *> open;
};
