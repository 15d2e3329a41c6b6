#pragma once

class QWidget;
struct StartRequest;

// Brings the game's window to the front for another start, with what that
// start's launcher gave it, so that desktops which prevent focus stealing
// honour the raise: on Wayland the activation token, on X11 the time of the
// launch taken from the startup id.
void bringToFront(QWidget *window, const StartRequest &request);
