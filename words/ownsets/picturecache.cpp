#include "ownsets/picturecache.h"

#include "ownsets/ownmedia.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QMutex>
#include <QSaveFile>
#include <QStandardPaths>

#include <atomic>
#include <functional>
#include <optional>

namespace ownsets {

namespace {

// Raised whenever what an entry holds, or how it is named, changes.
constexpr int formatVersion = 1;
// A 270 x 270 PNG of noise stays under 300 KB.
constexpr qint64 maxEntryBytes = 1024 * 1024;
constexpr qint64 maxProblemBytes = 4096;
const QString pictureEnding = QStringLiteral(".png");
const QString problemEnding = QStringLiteral(".txt");
// The PNG text that names the original, so that an entry is known for its own.
const QString keyText = QStringLiteral("wordnest-key");

std::atomic<int> decodedPictures = 0;
std::atomic<qint64> cacheLimit = 200 * 1024 * 1024;
// One large decode at a time: a 4000 x 3000 PNG alone takes 48 MB.
QMutex decoding;
// Headers read before, by key: what they said.
constexpr qsizetype maxHeaders = 20000;
QHash<QString, QString> headers;
QMutex headersLock;

QString keyOf(const QString &folder, const QString &name, const Stamp &stamp)
{
    const QString text = QStringLiteral("%1\n%2\n%3 %4 %5 %6 %7")
                             .arg(formatVersion)
                             .arg(QDir(folder).absoluteFilePath(name))
                             .arg(stamp.size)
                             .arg(stamp.modifiedNs)
                             .arg(stamp.changedNs)
                             .arg(stamp.inode)
                             .arg(stamp.device);
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex());
}

// The folder to keep entries in, made when missing; empty when it is a
// link or cannot be made, and then nothing is cached.
QString entriesFolder()
{
    const QString folder = pictureCacheFolder();
    const QFileInfo info(folder.chopped(1));
    if (info.isSymLink() || (!info.isDir() && !QDir().mkpath(folder)))
        return {};
    return folder;
}

// The entry for `key`, when there is a sound one: a damaged or foreign
// entry is as good as none and gets decoded again.
std::optional<CachedPicture> entry(const QString &key)
{
    const QString folder = pictureCacheFolder();
    const Contents png = readFile(folder, key + pictureEnding, maxEntryBytes);
    if (png.problem.isEmpty()) {
        QBuffer buffer;
        buffer.setData(png.bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "png");
        const QSize size = reader.size();
        if (reader.text(keyText) != key || size.isEmpty() || size.width() > keptPictureSide
            || size.height() > keptPictureSide)
            return std::nullopt;
        const QImage image = reader.read();
        if (image.isNull())
            return std::nullopt;
        return CachedPicture{image.convertToFormat(QImage::Format_ARGB32_Premultiplied), {}, {}};
    }
    const Contents problem = readFile(folder, key + problemEnding, maxProblemBytes);
    const QString text = QString::fromUtf8(problem.bytes);
    if (!problem.problem.isEmpty() || !text.startsWith(key + u'\n') || text.size() == key.size() + 1)
        return std::nullopt;
    return CachedPicture{{}, text.mid(key.size() + 1), {}};
}

// Past the limit, the oldest entries go until a quarter of it is free, so
// that it is not done at every store.
void prune(const QString &folder)
{
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Time | QDir::Reversed);
    qint64 total = 0;
    for (const QFileInfo &each : entries)
        total += each.size();
    const qint64 limit = cacheLimit;
    if (total <= limit)
        return;
    for (const QFileInfo &each : entries) {
        if (total <= limit / 4 * 3)
            break;
        if (QFile::remove(each.filePath()))
            total -= each.size();
    }
}

void store(const QString &key, const Picture &picture)
{
    const QString folder = entriesFolder();
    if (folder.isEmpty())
        return;
    QByteArray bytes;
    if (picture.problem.isEmpty()) {
        QImage tagged = picture.image;
        tagged.setText(keyText, key);
        bytes = encodePng(tagged);
    } else {
        bytes = (key + u'\n' + picture.problem).toUtf8().left(maxProblemBytes);
    }
    // A cache that cannot be written only means decoding again next time.
    QSaveFile file(folder + key + (picture.problem.isEmpty() ? pictureEnding : problemEnding));
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return;
    prune(folder);
}

} // namespace

QString pictureCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation)
           + QStringLiteral("/wordnest/pictures/");
}

void setPictureCacheLimit(qint64 bytes)
{
    cacheLimit = bytes;
}

CachedPicture cachedPicture(const QString &folder, const QString &name)
{
    const Stamp now = stampOf(folder, name);
    if (now.size >= 0)
        if (std::optional<CachedPicture> hit = entry(keyOf(folder, name, now))) {
            hit->stamp = now;
            return *hit;
        }
    const QMutexLocker lock(&decoding);
    QString problem;
    Stamp stamp;
    const std::unique_ptr<QFile> file = openFile(folder, name, maxPictureBytes, problem, stamp);
    if (!file)
        return {{}, problem, {}};
    const QString key = keyOf(folder, name, stamp);
    // Another thread may have decoded it while this one waited.
    if (std::optional<CachedPicture> hit = entry(key)) {
        hit->stamp = stamp;
        return *hit;
    }
    ++decodedPictures;
    const Picture picture = readPicture(*file);
    store(key, picture);
    return {picture.image, picture.problem, stamp};
}

namespace {

// What a listing knows of file `name`: a failed decode's entry, else its
// header's problem as `header` reads it from the open file.
QString checkFile(const QString &folder, const QString &name, qint64 limit, Stamp &stamp,
                  const std::function<QString(QFile &)> &header)
{
    QString problem;
    const std::unique_ptr<QFile> file = openFile(folder, name, limit, problem, stamp);
    if (!file)
        return problem;
    const QString key = keyOf(folder, name, stamp);
    if (QFileInfo::exists(pictureCacheFolder() + key + pictureEnding))
        return {};
    if (const std::optional<CachedPicture> known = entry(key))
        return known->problem;
    // A corner opened again lists the same files: their headers are read once.
    const QMutexLocker lock(&headersLock);
    if (const auto known = headers.constFind(key); known != headers.cend())
        return *known;
    if (headers.size() > maxHeaders)
        headers.clear();
    return headers[key] = header(*file);
}

} // namespace

QString checkPicture(const QString &folder, const QString &name, Stamp &stamp)
{
    return checkFile(folder, name, maxPictureBytes, stamp, [](QFile &file) { return checkPictureHeader(file); });
}

QString checkRecording(const QString &folder, const QString &name, Stamp &stamp)
{
    return checkFile(folder, name, maxRecordingBytes, stamp,
                     [&name](QFile &file) { return checkRecordingHeader(file, name); });
}

void rememberProblem(const QString &folder, const QString &name, const Stamp &stamp, const QString &problem)
{
    if (!problem.isEmpty())
        store(keyOf(folder, name, stamp), {{}, problem});
}

QString rememberedProblem(const QString &folder, const QString &name, const Stamp &stamp)
{
    const std::optional<CachedPicture> known = entry(keyOf(folder, name, stamp));
    return known ? known->problem : QString();
}

int picturesDecoded()
{
    return decodedPictures;
}

} // namespace ownsets
