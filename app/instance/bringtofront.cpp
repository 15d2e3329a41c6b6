#include "instance/bringtofront.h"

#include "instance/singlegame.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

// The moment the user asked for the game, as a startup id carries it at its
// end ("..._TIME<X server time>").
std::optional<xcb_timestamp_t> launchTime(const QByteArray &startupId)
{
    const qsizetype at = startupId.lastIndexOf("_TIME");
    bool ok = false;
    const uint time = at < 0 ? 0 : startupId.mid(at + 5).toUInt(&ok);
    return ok && time != 0 ? std::optional<xcb_timestamp_t>(time) : std::nullopt;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

// Startup notification: the launch this id names is over, so the launcher
// stops showing that the game is starting. The message goes to the root
// window in pieces of 20 bytes, the first typed _NET_STARTUP_INFO_BEGIN.
void endLaunchFeedback(xcb_connection_t *connection, xcb_window_t root, const QByteArray &startupId)
{
    QByteArray id = startupId;
    id.replace('\\', "\\\\").replace('"', "\\\"");
    const QByteArray message = "remove: ID=\"" + id + '"' + '\0';
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 8;
    event.window = root;
    event.type = atom(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atom(connection, "_NET_STARTUP_INFO");
    for (qsizetype sent = 0; sent < message.size(); sent += 20) {
        std::memset(event.data.data8, 0, sizeof event.data.data8);
        std::memcpy(event.data.data8, message.constData() + sent, size_t(std::min<qsizetype>(20, message.size() - sent)));
        xcb_send_event(connection, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE, reinterpret_cast<const char *>(&event));
        event.type = more;
    }
}

// Asks the window manager to activate the window as of the launch time, so a
// manager that prevents focus stealing sees the user's own request, not the
// game's last input, which may be long ago.
bool activateOnX11(QWidget *window, const QByteArray &startupId)
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    const std::optional<xcb_timestamp_t> time = launchTime(startupId);
    // Other platforms (offscreen among them) may offer the interface without a connection.
    xcb_connection_t *connection = x11 && QGuiApplication::platformName() == QLatin1String("xcb") ? x11->connection() : nullptr;
    if (!connection || !time)
        return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const auto id = xcb_window_t(window->winId());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atom(connection, "_NET_WM_USER_TIME"),
                        XCB_ATOM_CARDINAL, 32, 1, &*time);
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = id;
    event.type = atom(connection, "_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 1; // asked by an application
    event.data.data32[1] = *time;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&event));
    endLaunchFeedback(connection, root, startupId);
    xcb_flush(connection);
    return true;
}

} // namespace

void bringToFront(QWidget *window, const StartRequest &request)
{
    // Qt's Wayland window reads the token when asked to activate.
    if (!request.activationToken.isEmpty() && QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        qputenv("XDG_ACTIVATION_TOKEN", request.activationToken);
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    if (!activateOnX11(window, request.startupId))
        window->activateWindow();
    qCInfo(lcSingleGame) << "brought to the front for another start:" << request.gameArguments
                    << "startup id" << request.startupId << "activation token" << request.activationToken;
}
