#include "children/namelist.h"

#include "children/childname.h"
#include "text/gbk.h"

#include <QCoreApplication>
#include <QFile>
#include <QHash>

#include <cerrno>
#include <cstring>
#include <optional>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

NameList wholeFileProblem(const QString &reason)
{
    return {{}, {{0, reason}}};
}

// Reads at most `limit` + 1 bytes, so that a file that grew since its size
// was looked at is still caught; nothing on a read error.
std::optional<QByteArray> readUpTo(int fd, qint64 limit)
{
    QByteArray bytes(limit + 1, Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        got += n;
    }
    bytes.truncate(got);
    return bytes;
}

} // namespace

NameList NameList::fromBytes(QByteArrayView bytes)
{
    const std::optional<QString> text = fromUtf8OrGbk(bytes);
    if (!text)
        return wholeFileProblem(QCoreApplication::translate("NameList", "the file is neither UTF-8 nor GBK text"));
    NameList list;
    QHash<QString, int> firstLine; // by name key
    const QStringList lines = text->split(u'\n');
    for (int i = 0; i < lines.size(); ++i) {
        const int line = i + 1;
        // Trimming takes the CR of a CR LF too.
        const QString name = children::trimmedName(lines[i]);
        if (name.isEmpty())
            continue;
        if (const children::NameProblem problem = children::nameProblem(name);
            problem != children::NameProblem::None) {
            list.problems.append({line, children::englishReason(problem)});
            continue;
        }
        const QString key = children::nameKey(name);
        if (const auto first = firstLine.constFind(key); first != firstLine.cend()) {
            list.problems.append({line, QCoreApplication::translate("NameList", "'%1' is given twice (first on line %2)").arg(name).arg(*first)});
            continue;
        }
        firstLine.insert(key, line);
        list.names.append({line, name});
    }
    return list;
}

NameList NameList::fromFile(const QString &path)
{
    // No link is followed, and nothing that is not a plain file is opened for
    // long: a pipe or a device would stall the read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ELOOP)
            return wholeFileProblem(QCoreApplication::translate("NameList", "it is a link; name the file itself"));
        return wholeFileProblem(QCoreApplication::translate("NameList", "cannot open it (%1)").arg(QString::fromLocal8Bit(strerror(errno))));
    }
    struct stat info{};
    NameList list;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        list = wholeFileProblem(QCoreApplication::translate("NameList", "it is not a regular file"));
    else if (info.st_size > largestFile)
        list = wholeFileProblem(QCoreApplication::translate("NameList", "it is larger than %1 KiB, too large for a class list")
                                    .arg(largestFile / 1024));
    else if (const std::optional<QByteArray> bytes = readUpTo(fd, largestFile); !bytes)
        list = wholeFileProblem(QCoreApplication::translate("NameList", "cannot read it (%1)").arg(QString::fromLocal8Bit(strerror(errno))));
    else if (bytes->size() > largestFile)
        list = wholeFileProblem(QCoreApplication::translate("NameList", "it grew beyond %1 KiB while it was read").arg(largestFile / 1024));
    else
        list = fromBytes(*bytes);
    ::close(fd);
    return list;
}

QStringList NameList::allNames() const
{
    QStringList all;
    for (const Name &name : names)
        all << name.name;
    return all;
}
