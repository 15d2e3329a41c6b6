#pragma once

#include <QByteArray>
#include <QLoggingCategory>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class InstanceChannel;
class QLockFile;

// What the instance check does; off unless asked for (QT_LOGGING_RULES).
Q_DECLARE_LOGGING_CATEGORY(lcSingleGame)

// What a later start asks of the game that is already running: the game
// options of its command line, and what its launcher gave it so that the
// desktop lets the running game come to the front (the X11 startup id or
// the Wayland activation token). Sent as one line of JSON, so that fields
// can be added without breaking an older or newer running game.
struct StartRequest
{
    QStringList gameArguments;
    QByteArray startupId;       // DESKTOP_STARTUP_ID
    QByteArray activationToken; // XDG_ACTIVATION_TOKEN
    // Children a teacher's list adds, already checked; a request with them is
    // no start: the game adds them and stays where it is.
    QStringList newChildren;

    // Reads the launcher's variables; call it before the application object,
    // which takes them out of the environment.
    static StartRequest fromEnvironment(const QStringList &gameArguments);
    QByteArray toLine() const;
    // Whatever a line holds, a request: what is malformed or missing is empty.
    static StartRequest fromLine(const QByteArray &line);
};

// One game per user. The first start listens on a local socket in the user's
// runtime folder; a later start hands its request to it and ends. The check
// for a running game runs under a lock file, which the first start keeps
// until it listens, so that a double-click's two starts cannot both become
// the game: the later one waits, then hands over. A socket left behind by a
// killed game is refused and replaced.
class SingleGame : public QObject
{
    Q_OBJECT
public:
    enum class Claim {
        First,     // this start is the user's game: listen() once its window shows
        Forwarded, // the running game has the request: end this start
        Unguarded, // no socket could be set up: play, but a second game is not stopped
    };

    explicit SingleGame(QObject *parent = nullptr);
    ~SingleGame() override;
    // The socket, in the runtime folder ($XDG_RUNTIME_DIR, or Qt's fallback for it).
    static QString socketPath();

    Claim claim(const StartRequest &request);
    // For a command that changes what a running game holds (the settings have
    // one writer): hands the request to the running game and gives true; with
    // no game listening, runs `alone` while no game can start, and gives false.
    bool handOver(const StartRequest &request, const std::function<void()> &alone);
    // Listens for later starts and lets them check; done a second after the
    // claim at the latest. Nothing after a claim that was not First.
    void listen();
    // Called for every request a later start sends to this game.
    void onRequest(std::function<void(const StartRequest &)> handler) { requestHandler = std::move(handler); }

private:
    // The starts' lock, once another start's check is done; nothing when
    // none can be had.
    std::unique_ptr<QLockFile> lockStarts();
    bool openChannel();

    QString path;
    std::unique_ptr<QLockFile> startsLock; // held from a first claim until listening
    InstanceChannel *channel = nullptr;
    std::function<void(const StartRequest &)> requestHandler;
};
