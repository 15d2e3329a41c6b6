#include "app/companionwindows.h"

#include <QWidget>

CompanionWindows::CompanionWindows(QWidget &owner)
    : mainWindow(owner)
{
}

void CompanionWindows::opened(const QWidget *companion)
{
    if (!open.contains(companion))
        open.append(companion);
    mainWindow.setEnabled(false);
}

void CompanionWindows::closed(const QWidget *companion)
{
    open.removeAll(companion);
    if (open.isEmpty())
        mainWindow.setEnabled(true);
}
