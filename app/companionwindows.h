#pragma once

#include <QList>

class QWidget;

// The help and the leaderboard open beside the main window and keep it from
// taking input while either of them is open. Both report here, so that the
// first one to close cannot give the main window back under the other.
class CompanionWindows
{
public:
    explicit CompanionWindows(QWidget &mainWindow);

    // Disables the main window. Opening one that is open already is no change.
    void opened(const QWidget *companion);
    // Enables the main window again once no companion is open.
    void closed(const QWidget *companion);

private:
    QWidget &mainWindow;
    QList<const QWidget *> open;
};
