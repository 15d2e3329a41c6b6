#include "cli/displaycheck.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QtGlobal>

std::optional<QString> missingDisplay()
{
    // Another platform asked for by name (offscreen, vnc, eglfs...) is Qt's to judge.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb") && !platform.startsWith("wayland"))
        return std::nullopt;
    // A Wayland session may leave its socket at the default name, unnamed.
    if (!qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        qgetenv("XDG_SESSION_TYPE") == "wayland")
        return std::nullopt;
    return QCoreApplication::translate("DisplayCheck",
                                       "no display to show the game on (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                                       "start it from the desktop, or see wordnest --help for what runs without one");
}
