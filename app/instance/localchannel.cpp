// The wordnest-instance module: the instance channel over QLocalSocket.
#include "instance/instancechannel.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace {

// A request is a few short strings; anything longer is not one of ours.
constexpr qint64 maxRequestBytes = 64 * 1024;
// How long either side waits for a started request to complete.
constexpr int requestWaitMs = 5000;

class LocalChannel : public InstanceChannel
{
public:
    explicit LocalChannel(QObject *parent)
    {
        setParent(parent);
        server.setSocketOptions(QLocalServer::UserAccessOption);
        connect(&server, &QLocalServer::newConnection, this, &LocalChannel::accept);
    }

    bool send(const QString &path, const QByteArray &line) override
    {
        QLocalSocket running;
        running.connectToServer(path);
        if (!running.waitForConnected(1000))
            return false;
        running.write(line);
        // The running game may be busy for a moment (a sound it waits for):
        // the line waits in the socket, so this start need not.
        const bool written = running.waitForBytesWritten(requestWaitMs);
        running.disconnectFromServer();
        return written;
    }

    bool listen(const QString &path, std::function<void(const QByteArray &)> take, QString &error) override
    {
        taker = std::move(take);
        // Nobody listens: what is there is left by a game that was killed (Qt's
        // listen with access options would replace it too, but not without them).
        QLocalServer::removeServer(path);
        if (server.listen(path))
            return true;
        error = server.errorString();
        return false;
    }

private:
    void accept()
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
                if (complete && taker)
                    taker(socket->readLine(maxRequestBytes));
            };
            connect(socket, &QLocalSocket::readyRead, this, read);
            connect(socket, &QLocalSocket::disconnected, this, read);
            read();
        }
    }

    QLocalServer server;
    std::function<void(const QByteArray &)> taker;
};

} // namespace

extern "C" Q_DECL_EXPORT InstanceChannel *wordnestInstanceChannel(QObject *parent)
{
    return new LocalChannel(parent);
}
