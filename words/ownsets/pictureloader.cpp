#include "ownsets/pictureloader.h"

#include "ownsets/picturecache.h"

#include <QCoreApplication>
#include <QPointer>

PictureLoader &PictureLoader::shared()
{
    static QPointer<PictureLoader> loader;
    if (!loader)
        loader = new PictureLoader(QCoreApplication::instance());
    return *loader;
}

PictureLoader::PictureLoader(QObject *parent)
    : QObject(parent)
{
    worker.setMaxThreadCount(1);
}

PictureLoader::~PictureLoader()
{
    // What is queued is not wanted any more; the decode under way ends first.
    worker.clear();
    worker.waitForDone();
}

void PictureLoader::load(const QString &folder, const QString &name)
{
    const QString path = folder + u'/' + name;
    if (pending.contains(path))
        return;
    pending.insert(path);
    worker.start([this, folder, name, path] {
        const ownsets::CachedPicture picture = ownsets::cachedPicture(folder, name);
        QMetaObject::invokeMethod(
            this,
            [this, folder, name, path, picture] {
                pending.remove(path);
                emit loaded(folder, name, picture.image, picture.problem);
            },
            Qt::QueuedConnection);
    });
}
