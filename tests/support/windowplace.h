#pragma once

#include <QWidget>

// `window` is centred over `over`, give or take the thickness of its frame.
inline bool nearlyCentred(const QWidget *window, const QWidget *over)
{
    return (window->geometry().center() - over->geometry().center()).manhattanLength() <= 4;
}
