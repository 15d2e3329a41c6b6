#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

// The local socket between a user's starts of the game. It lives in the
// wordnest-instance module: Qt Network and the Kerberos and proxy libraries
// it pulls in are loaded only when a second start hands over, or after the
// first frame of the first, not before every game's window.
class InstanceChannel : public QObject
{
public:
    // Hands one line to the game listening on path; false if none takes it.
    virtual bool send(const QString &path, const QByteArray &line) = 0;
    // Listens on path (what a killed game left there is replaced); every
    // complete line a later start sends goes to take. False with the reason.
    virtual bool listen(const QString &path, std::function<void(const QByteArray &)> take, QString &error) = 0;
};

// What the module exports as "wordnestInstanceChannel".
using InstanceChannelMaker = InstanceChannel *(*)(QObject *parent);
