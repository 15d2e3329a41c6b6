#include "app/companionwindows.h"

#include <QWidget>

CompanionWindows::CompanionWindows(QWidget &owner, std::function<void(QWidget *)> place)
    : mainWindow(owner)
    , placeOverGame(std::move(place))
{
}

void CompanionWindows::opened(QWidget *companion)
{
    if (!open.contains(companion))
        open.append(companion);
    mainWindow.setEnabled(false);
    placeOverGame(companion);
}

void CompanionWindows::closed(const QWidget *companion)
{
    open.removeAll(companion);
    if (open.isEmpty())
        mainWindow.setEnabled(true);
}
