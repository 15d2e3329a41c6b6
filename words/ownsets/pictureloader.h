#pragma once

#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QThreadPool>

// Loads own sets' pictures through the picture cache on a thread of its own,
// one at a time, so that a window asking for them never waits for a decode.
class PictureLoader : public QObject
{
    Q_OBJECT
public:
    // The one loader of the program; it goes with the application.
    static PictureLoader &shared();
    ~PictureLoader() override;

    // Starts loading `folder`'s picture `name`, unless it is on its way;
    // loaded() brings it on this object's thread.
    void load(const QString &folder, const QString &name);

signals:
    // `picture` is null when it cannot be decoded, and `problem` says why.
    void loaded(const QString &folder, const QString &name, const QImage &picture, const QString &problem);

private:
    explicit PictureLoader(QObject *parent);

    QThreadPool worker;
    QSet<QString> pending;
};
