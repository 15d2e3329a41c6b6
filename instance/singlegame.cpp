#include "instance/singlegame.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

Q_LOGGING_CATEGORY(lcSingleGame, "wordnest.instance", QtWarningMsg)

namespace {

// A request is a few short strings; anything longer is not one of ours.
constexpr qint64 maxRequestBytes = 64 * 1024;
// How long the running game waits for a started request to complete.
constexpr int requestWaitMs = 5000;
// Only another start running the check (a few milliseconds) holds the lock;
// a crashed holder's lock is taken over at once, as its process is gone.
constexpr int lockWaitMs = 10000;

QStringList toStrings(const QJsonValue &value)
{
    QStringList list;
    for (const QJsonValue &item : value.toArray())
        if (item.isString())
            list << item.toString();
    return list;
}

void warn(const QString &text)
{
    std::fprintf(stderr, "wordnest: %s\n", qPrintable(text));
}

} // namespace

StartRequest StartRequest::fromEnvironment(const QStringList &gameArguments)
{
    return {gameArguments, qgetenv("DESKTOP_STARTUP_ID"), qgetenv("XDG_ACTIVATION_TOKEN")};
}

QByteArray StartRequest::toLine() const
{
    const QJsonObject object{{QStringLiteral("arguments"), QJsonArray::fromStringList(gameArguments)},
                             {QStringLiteral("startupId"), QString::fromUtf8(startupId)},
                             {QStringLiteral("activationToken"), QString::fromUtf8(activationToken)}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

StartRequest StartRequest::fromLine(const QByteArray &line)
{
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    return {toStrings(object.value(QStringLiteral("arguments"))),
            object.value(QStringLiteral("startupId")).toString().toUtf8(),
            object.value(QStringLiteral("activationToken")).toString().toUtf8()};
}

SingleGame::SingleGame(QObject *parent) : QObject(parent)
{
    server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server, &QLocalServer::newConnection, this, &SingleGame::accept);
}

QString SingleGame::socketPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/net.wordnest.Wordnest.socket");
}

SingleGame::Claim SingleGame::claim(const StartRequest &request)
{
    const QString path = socketPath();
    if (!QDir().mkpath(QFileInfo(path).path())) {
        warn(QStringLiteral("no runtime folder for %1; a second start will open a second game").arg(path));
        return Claim::Unguarded;
    }
    QLockFile lock(path + QStringLiteral(".lock"));
    qCInfo(lcSingleGame) << "looking for a running game";
    if (!lock.tryLock(lockWaitMs)) {
        warn(QStringLiteral("%1 stays locked; a second start will open a second game").arg(lock.fileName()));
        return Claim::Unguarded;
    }

    QLocalSocket running;
    running.connectToServer(path);
    if (running.waitForConnected(1000)) {
        running.write(request.toLine());
        // The running game may be busy for a moment (a sound it waits for):
        // the line waits in the socket, so this start need not.
        if (running.waitForBytesWritten(requestWaitMs)) {
            running.disconnectFromServer();
            return Claim::Forwarded;
        }
        warn(QStringLiteral("the running game does not answer; starting another"));
    }
    // Nobody listens: what is there is left by a game that was killed (Qt's
    // listen with access options would replace it too, but not without them).
    QLocalServer::removeServer(path);
    if (!server.listen(path)) {
        warn(QStringLiteral("cannot listen on %1 (%2); a second start will open a second game")
                 .arg(path, server.errorString()));
        return Claim::Unguarded;
    }
    qCInfo(lcSingleGame) << "the user's game, listening on" << path;
    return Claim::First;
}

void SingleGame::accept()
{
    while (QLocalSocket *socket = server.nextPendingConnection()) {
        socket->setReadBufferSize(maxRequestBytes);
        // A start that never finishes its line is dropped, never waited for.
        QTimer::singleShot(requestWaitMs, socket, &QObject::deleteLater);
        const auto read = [this, socket] {
            const bool complete = socket->canReadLine();
            if (!complete && socket->state() == QLocalSocket::ConnectedState &&
                socket->bytesAvailable() < maxRequestBytes)
                return; // more to come
            disconnect(socket, nullptr, this, nullptr);
            socket->deleteLater();
            if (complete && requestHandler)
                requestHandler(StartRequest::fromLine(socket->readLine(maxRequestBytes)));
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        connect(socket, &QLocalSocket::disconnected, this, read);
        read();
    }
}
