#include "ownsets/setfiles.h"

#include "text/gbk.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <algorithm>
#include <utility>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ownsets {

namespace {

// A set's problems are written in English here and translated: the windows
// show them in Chinese, the command line in the locale's language.
struct SetFiles
{
    Q_DECLARE_TR_FUNCTIONS(SetFiles)
};

constexpr int maxNames = 4096;

// Closes what it holds as it goes.
class Descriptor
{
public:
    explicit Descriptor(int fd) : fd(fd) {}
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int fd;
};

// A descriptor of the set folder itself, so that no name in it is looked up
// through a path that could change meanwhile; the folder may not be a link.
int openFolder(const QString &folder, int follow = O_NOFOLLOW)
{
    return ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | follow | O_CLOEXEC);
}

QString folderProblem()
{
    return errno == ELOOP || errno == ENOTDIR ? SetFiles::tr("the set's folder is a link or not a folder")
                                              : SetFiles::tr("the set's folder cannot be opened");
}

Stamp stampFrom(const struct stat &st)
{
    return {st.st_size, qint64(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec, quint64(st.st_ino),
            quint64(st.st_dev), qint64(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec};
}

QString sizeText(qint64 bytes)
{
    return bytes >= 1024 * 1024 ? QStringLiteral("%1 MB").arg(bytes / 1024 / 1024)
                                : QStringLiteral("%1 KB").arg(bytes / 1024);
}

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// The ending of `name` when it is row `row`'s, in lower case; else empty.
QString rowEnding(const QString &name, int row)
{
    const QString prefix = mediaName(row, {});
    return name.startsWith(prefix) ? name.mid(prefix.size()).toLower() : QString();
}

} // namespace

bool isValidId(const QString &id)
{
    if (id.isEmpty() || id.size() > 40 || id == QLatin1String("tricky"))
        return false;
    bool letter = false;
    for (QChar c : id) {
        if (c.unicode() > 127 || !(c.isLetterOrNumber() || c == u'-'))
            return false;
        letter = letter || c.isLetter();
    }
    return letter;
}

QString setsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/wordnest/sets/");
}

bool setExists(const QString &id, const QString &setsFolder)
{
    const QFileInfo info(QDir(setsFolder).filePath(id));
    return info.exists() || info.isSymLink();
}

const QStringList &pictureEndings()
{
    static const QStringList endings{"png", "jpg", "jpeg", "bmp"};
    return endings;
}

const QStringList &recordingEndings()
{
    static const QStringList endings{"wav", "flac", "ogg", "oga", "opus", "mp3", "aif", "aiff"};
    return endings;
}

QStringList anyCasePatterns(const QStringList &endings)
{
    QStringList patterns;
    for (const QString &ending : endings) {
        QString pattern = QStringLiteral("*.");
        for (const QChar c : ending)
            pattern += c.isLetter() ? QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper()) : QString(c);
        patterns << pattern;
    }
    return patterns;
}

QString mediaName(int row, const QString &ending)
{
    return QStringLiteral("%1.%2").arg(row + 1, 2, 10, QChar(u'0')).arg(ending);
}

qint64 limitFor(const QString &name)
{
    if (name == wordListName())
        return maxListBytes;
    if (name == settingsName())
        return maxSettingsBytes;
    const qsizetype dot = name.indexOf(u'.');
    bool number = false;
    const int row = name.left(dot).toInt(&number) - 1;
    if (dot != 2 || !number || row < 0 || row >= 20 || mediaName(row, {}) != name.left(3))
        return 0;
    const QString ending = name.mid(3).toLower();
    return pictureEndings().contains(ending) ? maxPictureBytes
           : recordingEndings().contains(ending) ? maxRecordingBytes
                                                 : 0;
}

bool isSetFileName(const QString &name)
{
    return limitFor(name) > 0;
}

namespace {

// Opens `name` in `dir`, a regular file within `limit`, its stamp in
// `contents`; -1 with the problem in `contents` when it cannot be read.
int openChecked(const Descriptor &dir, const QString &name, qint64 limit, Contents &contents)
{
    if (dir.fd < 0) {
        contents.problem = folderProblem();
        return -1;
    }
    // Non-blocking, so that a pipe in a set never stalls whoever reads it.
    Descriptor file(::openat(dir.fd, QFile::encodeName(name).constData(),
                             O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    struct stat st {};
    if (file.fd < 0) {
        contents.missing = errno == ENOENT;
        contents.problem = errno == ELOOP ? SetFiles::tr("is a link, which the game does not open")
                           : contents.missing ? SetFiles::tr("does not exist")
                                              : SetFiles::tr("cannot be read");
        return -1;
    }
    if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        contents.problem = SetFiles::tr("is not a regular file");
        return -1;
    }
    if (st.st_size > limit) {
        contents.problem = SetFiles::tr("is too large (over %1)").arg(sizeText(limit));
        return -1;
    }
    contents.stamp = stampFrom(st);
    return std::exchange(file.fd, -1);
}

Contents readAt(const Descriptor &dir, const QString &name, qint64 limit)
{
    Contents contents;
    const Descriptor file(openChecked(dir, name, limit, contents));
    if (file.fd < 0)
        return contents;
    // Room for the file as it was; one that grows while it is read still
    // stops one byte past the bound.
    contents.bytes.resize(qsizetype(contents.stamp.size) + 1);
    qsizetype got = 0;
    while (got <= limit) {
        if (got == contents.bytes.size())
            contents.bytes.resize(qsizetype(std::min<qint64>(limit + 1, 2 * got)));
        const ssize_t n = ::read(file.fd, contents.bytes.data() + got, size_t(contents.bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            contents = {};
            contents.problem = SetFiles::tr("cannot be read");
            return contents;
        }
        if (n == 0)
            break;
        got += n;
    }
    if (got > limit) {
        contents = {};
        contents.problem = SetFiles::tr("is too large (over %1)").arg(sizeText(limit));
        return contents;
    }
    contents.bytes.truncate(got);
    return contents;
}

} // namespace

Contents readFile(const QString &folder, const QString &name, qint64 limit)
{
    return readAt(Descriptor(openFolder(folder)), name, limit);
}

std::unique_ptr<QFile> openFile(const QString &folder, const QString &name, qint64 limit, QString &problem,
                                Stamp &stamp)
{
    Contents contents;
    const int fd = openChecked(Descriptor(openFolder(folder)), name, limit, contents);
    problem = contents.problem;
    stamp = contents.stamp;
    if (fd < 0)
        return nullptr;
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        problem = SetFiles::tr("cannot be read");
        return nullptr;
    }
    return file;
}

Contents readChosenFile(const QString &path, qint64 limit)
{
    const QFileInfo file(path);
    const Descriptor dir(openFolder(file.absolutePath(), 0));
    if (dir.fd < 0) {
        Contents contents;
        contents.problem = SetFiles::tr("cannot be read");
        return contents;
    }
    return readAt(dir, file.fileName(), limit);
}

Stamp stampOf(const QString &folder, const QString &name)
{
    const Descriptor dir(openFolder(folder));
    struct stat st {};
    if (dir.fd < 0 || ::fstatat(dir.fd, QFile::encodeName(name).constData(), &st, AT_SYMLINK_NOFOLLOW) != 0
        || !S_ISREG(st.st_mode))
        return {};
    return stampFrom(st);
}

QString writeFile(const QString &folder, const QString &name, const QByteArray &bytes)
{
    const auto failed = [&name](const QString &why) { return SetFiles::tr("cannot save %1: %2").arg(name, why); };
    const Descriptor dir(openFolder(folder));
    if (dir.fd < 0)
        return failed(folderProblem());
    const QByteArray target = QFile::encodeName(name);
    struct stat st {};
    if (::fstatat(dir.fd, target.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(st.st_mode))
        return failed(S_ISLNK(st.st_mode) ? SetFiles::tr("it is a link, left as it is") : SetFiles::tr("it is not a regular file"));

    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = '.' + target + '-' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::openat(dir.fd, temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return failed(QString::fromLocal8Bit(strerror(errno)));
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    ::close(fd);
    // The rename puts a regular file in the name's place, whatever appeared there meanwhile.
    if (!written || ::renameat(dir.fd, temporary.constData(), dir.fd, target.constData()) != 0) {
        const int error = written ? errno : writeError;
        ::unlinkat(dir.fd, temporary.constData(), 0);
        return failed(QString::fromLocal8Bit(strerror(error)));
    }
    ::fsync(dir.fd);
    return {};
}

QString removeFile(const QString &folder, const QString &name)
{
    const Descriptor dir(openFolder(folder));
    if (dir.fd < 0)
        return SetFiles::tr("cannot delete %1: %2").arg(name, folderProblem());
    if (::unlinkat(dir.fd, QFile::encodeName(name).constData(), 0) != 0 && errno != ENOENT)
        return SetFiles::tr("cannot delete %1: %2").arg(name, QString::fromLocal8Bit(strerror(errno)));
    return {};
}

QString renameFile(const QString &folder, const QString &from, const QString &to)
{
    const Descriptor dir(openFolder(folder));
    if (dir.fd < 0)
        return SetFiles::tr("cannot rename %1 to %2: %3").arg(from, to, folderProblem());
    if (::renameat(dir.fd, QFile::encodeName(from).constData(), dir.fd, QFile::encodeName(to).constData()) != 0)
        return SetFiles::tr("cannot rename %1 to %2: %3").arg(from, to, QString::fromLocal8Bit(strerror(errno)));
    ::fsync(dir.fd);
    return {};
}

QStringList fileNames(const QString &folder)
{
    QStringList all;
    const Descriptor dir(openFolder(folder));
    const int listed = dir.fd < 0 ? -1 : ::dup(dir.fd);
    DIR *entries = listed < 0 ? nullptr : ::fdopendir(listed);
    if (!entries) {
        if (listed >= 0)
            ::close(listed);
        return all;
    }
    while (const dirent *entry = ::readdir(entries)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name != QLatin1String(".") && name != QLatin1String(".."))
            all << name;
        if (all.size() >= maxNames)
            break;
    }
    ::closedir(entries);
    all.sort();
    return all;
}

RowFiles rowFiles(const QString &folder, int row)
{
    return rowFiles(fileNames(folder), row);
}

RowFiles rowFiles(const QStringList &names, int row)
{
    RowFiles files;
    QString voiceMemo; // read for its advice only where nothing else is there
    for (const QString &name : names) {
        const QString ending = rowEnding(name, row);
        if (pictureEndings().contains(ending))
            files.allPictures << name;
        else if (recordingEndings().contains(ending))
            files.allRecordings << name;
        else if (ending == QLatin1String("m4a"))
            voiceMemo = name;
    }
    QStringList problems;
    if (files.allPictures.size() > 1)
        problems << SetFiles::tr("there are %1 pictures (%2); keep only one").arg(files.allPictures.size())
                        .arg(files.allPictures.join(SetFiles::tr(", ", "between file names")));
    if (files.allRecordings.size() > 1)
        problems << SetFiles::tr("there are %1 recordings (%2); keep only one").arg(files.allRecordings.size())
                        .arg(files.allRecordings.join(SetFiles::tr(", ", "between file names")));
    files.problem = problems.join(SetFiles::tr(", ", "between problems"));
    if (files.problem.isEmpty()) {
        files.picture = files.allPictures.value(0);
        files.recording = files.allRecordings.value(0, voiceMemo);
    }
    return files;
}

ListText decodeWordList(const QByteArray &bytes)
{
    // GBK: a list saved by a Chinese Windows' Notepad.
    if (const std::optional<QString> text = fromUtf8OrGbk(bytes))
        return {*text, {}};
    return {{}, SetFiles::tr("words.txt is neither UTF-8 nor GBK text; the game has not read it and will not change it")};
}

FolderLock::FolderLock(const QString &folder)
    : fd(openFolder(folder))
{
    while (fd >= 0 && ::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

FolderLock::~FolderLock()
{
    if (fd >= 0)
        ::close(fd);
}

} // namespace ownsets
