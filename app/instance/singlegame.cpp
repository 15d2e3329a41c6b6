#include "instance/singlegame.h"

#include "instance/instancechannel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLibrary>
#include <QLockFile>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcSingleGame, "wordnest.instance", QtWarningMsg)

namespace {

// Another start holds the lock for its check (a few milliseconds), or until
// its window shows (listenAtLatestMs); a crashed holder's lock is taken over
// at once, as its process is gone.
constexpr int lockWaitMs = 10000;
constexpr int listenAtLatestMs = 1000;

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

// Whether a game listens on path: a plain connect, so that a first start
// needs no more than this before its window shows.
bool someoneListens(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address{};
    if (size_t(native.size()) >= sizeof address.sun_path)
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    const int probe = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe < 0)
        return false;
    const bool listening = ::connect(probe, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    ::close(probe);
    return listening;
}

InstanceChannel *loadChannel(QObject *parent)
{
    for (const QString &folder : {QCoreApplication::applicationDirPath(), QStringLiteral(WORDNEST_MODULE_DIR)}) {
        QLibrary module(folder + QStringLiteral("/wordnest-instance"));
        if (auto make = reinterpret_cast<InstanceChannelMaker>(module.resolve("wordnestInstanceChannel")))
            return make(parent);
    }
    return nullptr;
}

} // namespace

StartRequest StartRequest::fromEnvironment(const QStringList &gameArguments)
{
    return {gameArguments, qgetenv("DESKTOP_STARTUP_ID"), qgetenv("XDG_ACTIVATION_TOKEN"), {}};
}

QByteArray StartRequest::toLine() const
{
    QJsonObject object{{QStringLiteral("arguments"), QJsonArray::fromStringList(gameArguments)},
                             {QStringLiteral("startupId"), QString::fromUtf8(startupId)},
                             {QStringLiteral("activationToken"), QString::fromUtf8(activationToken)}};
    if (!newChildren.isEmpty())
        object.insert(QStringLiteral("newChildren"), QJsonArray::fromStringList(newChildren));
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

StartRequest StartRequest::fromLine(const QByteArray &line)
{
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    return {toStrings(object.value(QStringLiteral("arguments"))),
            object.value(QStringLiteral("startupId")).toString().toUtf8(),
            object.value(QStringLiteral("activationToken")).toString().toUtf8(),
            toStrings(object.value(QStringLiteral("newChildren")))};
}

SingleGame::SingleGame(QObject *parent) : QObject(parent) {}

SingleGame::~SingleGame() = default;

QString SingleGame::socketPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
           QStringLiteral("/net.wordnest.Wordnest.socket");
}

std::unique_ptr<QLockFile> SingleGame::lockStarts()
{
    path = socketPath();
    if (!QDir().mkpath(QFileInfo(path).path())) {
        warn(QStringLiteral("no runtime folder for %1; a second start will open a second game").arg(path));
        return nullptr;
    }
    auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    qCInfo(lcSingleGame) << "looking for a running game";
    const bool free = lock->tryLock(0);
    if (!free)
        qCInfo(lcSingleGame) << "waiting for another start's check";
    if (!free && !lock->tryLock(lockWaitMs)) {
        warn(QStringLiteral("%1 stays locked; a second start will open a second game").arg(lock->fileName()));
        return nullptr;
    }
    return lock;
}

SingleGame::Claim SingleGame::claim(const StartRequest &request)
{
    std::unique_ptr<QLockFile> lock = lockStarts();
    if (!lock)
        return Claim::Unguarded;
    if (someoneListens(path)) {
        if (openChannel() && channel->send(path, request.toLine()))
            return Claim::Forwarded;
        warn(QStringLiteral("the running game does not answer; starting another"));
    }
    startsLock = std::move(lock);
    QTimer::singleShot(listenAtLatestMs, this, &SingleGame::listen);
    return Claim::First;
}

bool SingleGame::handOver(const StartRequest &request, const std::function<void()> &alone)
{
    // Without the lock a game may be starting; its own writes are under the
    // settings' lock, so going ahead loses nothing.
    const std::unique_ptr<QLockFile> lock = lockStarts();
    if (someoneListens(path) && openChannel() && channel->send(path, request.toLine()))
        return true;
    alone();
    return false;
}

void SingleGame::listen()
{
    if (!startsLock)
        return;
    const std::unique_ptr<QLockFile> lock = std::move(startsLock); // let later starts check
    if (!openChannel())
        return;
    QString error;
    const auto take = [this](const QByteArray &line) {
        if (requestHandler)
            requestHandler(StartRequest::fromLine(line));
    };
    if (!channel->listen(path, take, error)) {
        warn(QStringLiteral("cannot listen on %1 (%2); a second start will open a second game").arg(path, error));
        return;
    }
    qCInfo(lcSingleGame) << "the user's game, listening on" << path;
}

bool SingleGame::openChannel()
{
    if (!channel)
        channel = loadChannel(this);
    if (!channel)
        warn(QStringLiteral("the wordnest-instance module is missing; a second start will open a second game"));
    return channel;
}
