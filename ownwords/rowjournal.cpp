#include "ownwords/rowjournal.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rowjournal {

namespace {

constexpr char header[] = "wordnest-rows 1\n";
constexpr char journalTemporary[] = ".rows.journal.new";
constexpr char renamedMark[] = "renamed\n";
constexpr qint64 maxJournalBytes = 256 * 1024;
constexpr qint64 maxWordListBytes = 64 * 1024;

struct Plan
{
    QList<Move> moves;
    QByteArray wordList;
    bool renamed = false; // every file is under its temporary name
};

// A journal may have been put there by hand: it only names plain files of the folder itself.
bool isPlainName(const QString &name)
{
    return !name.isEmpty() && name.size() <= 32 && !name.startsWith(u'.')
           && std::all_of(name.begin(), name.end(), [](QChar c) { return c.isLetterOrNumber() || c == u'.'; });
}

QByteArray temporaryName(int move)
{
    return ".rows-" + QByteArray::number(move);
}

class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : fd(fd) {}
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int fd;
};

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Replaces `name` whole: a temporary beside it, fsynced, renamed over it.
bool replaceFile(int folder, const char *name, const QByteArray &bytes)
{
    const QByteArray temporary = QByteArray(".") + name + ".new";
    ::unlinkat(folder, temporary.constData(), 0);
    Descriptor file(::openat(folder, temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    return file.fd >= 0 && writeAll(file.fd, bytes) && ::fsync(file.fd) == 0
           && ::renameat(folder, temporary.constData(), folder, name) == 0;
}

QByteArray encode(const QList<Move> &moves, const QByteArray &wordList)
{
    QByteArray text = header;
    for (const Move &move : moves)
        text += "m " + QFile::encodeName(move.from) + '\t' + QFile::encodeName(move.to) + '\n';
    return text + "w " + wordList.toBase64() + "\nend\n";
}

bool decode(const QByteArray &text, Plan &plan)
{
    if (!text.startsWith(header))
        return false;
    bool complete = false;
    for (const QByteArray &line : text.mid(qsizetype(sizeof header) - 1).split('\n')) {
        if (line.startsWith("m ") && !complete) {
            const QList<QByteArray> names = line.mid(2).split('\t');
            const QString from = QFile::decodeName(names.value(0)), to = QFile::decodeName(names.value(1));
            if (names.size() != 2 || !isPlainName(from) || (!to.isEmpty() && !isPlainName(to)))
                return false;
            plan.moves.append({from, to});
        } else if (line.startsWith("w ") && !complete) {
            plan.wordList = QByteArray::fromBase64(line.mid(2));
        } else if (line == "end") {
            complete = true;
        } else if (line + '\n' == renamedMark && complete) {
            plan.renamed = true;
        } else if (!line.isEmpty()) {
            return false;
        }
    }
    return complete && plan.wordList.size() <= maxWordListBytes;
}

// Carries `plan` out from wherever it stopped: a source already gone was
// renamed already (nothing is renamed onto a source before every source is
// under its temporary name, which the journal's "renamed" line marks).
bool execute(int folder, int journal, const Plan &plan)
{
    if (!plan.renamed) {
        for (int i = 0; i < plan.moves.size(); ++i)
            if (::renameat(folder, QFile::encodeName(plan.moves[i].from).constData(), folder,
                           temporaryName(i).constData())
                    != 0
                && errno != ENOENT)
                return false;
        if (::fsync(folder) != 0 || !writeAll(journal, renamedMark) || ::fdatasync(journal) != 0)
            return false;
    }
    for (int i = 0; i < plan.moves.size(); ++i) {
        const QByteArray temporary = temporaryName(i);
        const int done = plan.moves[i].to.isEmpty()
                             ? ::unlinkat(folder, temporary.constData(), 0)
                             : ::renameat(folder, temporary.constData(), folder,
                                          QFile::encodeName(plan.moves[i].to).constData());
        if (done != 0 && errno != ENOENT)
            return false;
    }
    return replaceFile(folder, "words.txt", plan.wordList) && ::fsync(folder) == 0
           && ::unlinkat(folder, fileName, 0) == 0 && ::fsync(folder) == 0;
}

} // namespace

QString run(const QString &folderPath, const QList<Move> &moves, const QByteArray &wordList)
{
    Descriptor folder(::open(QFile::encodeName(folderPath).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (folder.fd < 0)
        return QStringLiteral("打不开词语组文件夹");
    for (const Move &move : moves)
        if (!isPlainName(move.from) || (!move.to.isEmpty() && !isPlainName(move.to)))
            return QStringLiteral("文件名“%1”不能移动").arg(move.from);
    ::unlinkat(folder.fd, journalTemporary, 0);
    Descriptor journal(::openat(folder.fd, journalTemporary, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    // Held until the journal is gone: a reader in another process waits for the run to end.
    if (journal.fd < 0 || ::flock(journal.fd, LOCK_EX) != 0 || !writeAll(journal.fd, encode(moves, wordList))
        || ::fsync(journal.fd) != 0 || ::renameat(folder.fd, journalTemporary, folder.fd, fileName) != 0
        || ::fsync(folder.fd) != 0)
        return QStringLiteral("无法在词语组文件夹里写入 %1").arg(QLatin1String(fileName));
    if (!execute(folder.fd, journal.fd, Plan{moves, wordList, false}))
        return QStringLiteral("移动词语的文件没有做完（%1），下次打开时会接着做完").arg(QString::fromLocal8Bit(strerror(errno)));
    return {};
}

void recover(const QString &folderPath)
{
    Descriptor folder(::open(QFile::encodeName(folderPath).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (folder.fd < 0)
        return;
    // A journal cut short before it was complete: nothing was moved. Its writer holds a lock while alive.
    if (Descriptor stale(::openat(folder.fd, journalTemporary, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        stale.fd >= 0 && ::flock(stale.fd, LOCK_EX | LOCK_NB) == 0)
        ::unlinkat(folder.fd, journalTemporary, 0);
    Descriptor journal(::openat(folder.fd, fileName, O_RDWR | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (journal.fd < 0 || ::flock(journal.fd, LOCK_EX) != 0 || ::fstat(journal.fd, &st) != 0)
        return;
    // Finished (and removed) while this waited for the lock, or not a journal at all.
    if (st.st_nlink == 0 || !S_ISREG(st.st_mode) || st.st_size > maxJournalBytes)
        return;
    QByteArray text(qsizetype(st.st_size), '\0');
    Plan plan;
    if (::pread(journal.fd, text.data(), size_t(text.size()), 0) != ssize_t(text.size()) || !decode(text, plan))
        return;
    execute(folder.fd, journal.fd, plan);
}

} // namespace rowjournal
