#include "ownsets/setarchive.h"

#include "ownsets/loadedlibrary.h"
#include "ownsets/ownmedia.h"
#include "ownsets/setfiles.h"
#include "ownsets/setwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSet>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <archive.h>
#include <archive_entry.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ownsets {

namespace {

// A set's problems are written in English here and translated: the windows
// show them in Chinese, the command line in the locale's language.
struct SetArchive
{
    Q_DECLARE_TR_FUNCTIONS(SetArchive)
};

#define ARCHIVE_FUNCTIONS(F) \
    F(archive_entry_filetype) F(archive_entry_free) F(archive_entry_hardlink) \
    F(archive_entry_new) F(archive_entry_pathname) F(archive_entry_pathname_utf8) \
    F(archive_entry_set_filetype) F(archive_entry_set_pathname) F(archive_entry_set_perm) \
    F(archive_entry_set_size) F(archive_entry_symlink) F(archive_error_string) \
    F(archive_read_data) F(archive_read_free) F(archive_read_new) \
    F(archive_read_next_header) F(archive_read_open_fd) F(archive_read_support_format_zip) \
    F(archive_write_close) F(archive_write_data) F(archive_write_free) \
    F(archive_write_header) F(archive_write_new) F(archive_write_open_fd) \
    F(archive_write_set_format_zip)
WORDNEST_LOADED_LIBRARY(LibArchive, "archive", 13, ARCHIVE_FUNCTIONS)
QString noLibrary()
{
    return SetArchive::tr("the archive library (libarchive) is missing");
}

bool addEntry(archive *zip, const QString &path, const QByteArray &content)
{
    const LibArchive *zipLib = LibArchive::get();
    archive_entry *entry = zipLib->archive_entry_new();
    const QByteArray name = path.toUtf8();
    zipLib->archive_entry_set_pathname(entry, name.constData());
    zipLib->archive_entry_set_filetype(entry, path.endsWith(u'/') ? AE_IFDIR : AE_IFREG);
    zipLib->archive_entry_set_perm(entry, path.endsWith(u'/') ? 0755 : 0644);
    zipLib->archive_entry_set_size(entry, content.size());
    bool ok = zipLib->archive_write_header(zip, entry) == ARCHIVE_OK
              && (content.isEmpty()
                  || zipLib->archive_write_data(zip, content.constData(), size_t(content.size())) == content.size());
    zipLib->archive_entry_free(entry);
    return ok;
}

// Moves `from` to `to` unless `to` exists: never replaces a set.
bool renameNoReplace(const QString &from, const QString &to)
{
    return ::renameat2(AT_FDCWD, QFile::encodeName(from).constData(), AT_FDCWD, QFile::encodeName(to).constData(),
                       RENAME_NOREPLACE)
           == 0;
}

// Beside the sets folder, on the same file system, so that a finished
// import is moved into place by one rename.
QDir workPlace(const QString &setsFolder)
{
    QDir parent(setsFolder);
    parent.cdUp();
    return parent;
}

const QLatin1String journalSuffix(".journal");
const QLatin1String replacedName("replaced");  // the old set, inside the work folder, while it is replaced

// An import's journal, "import-XXXXXX.journal", names its work folder
// "import-XXXXXX" beside it, and once the renames of a replace start, the
// set they replace. The importer holds a lock on it while it runs, so a
// start of the game finishes only imports that a crash cut off.
class ImportJournal
{
public:
    explicit ImportJournal(const QDir &place)
        : file(place.filePath(QStringLiteral("import-XXXXXX") + journalSuffix))
    {
        file.setAutoRemove(false);
    }
    ~ImportJournal()
    {
        if (!work.isEmpty())
            QDir(work).removeRecursively();
        if (file.isOpen())
            file.remove();  // the folder first: a journal left names what is left
    }

    // Makes the journal and then the folder it names; false when either fails.
    bool begin()
    {
        if (!file.open() || ::flock(file.handle(), LOCK_EX | LOCK_NB) != 0)
            return false;
        const QString path = file.fileName().chopped(journalSuffix.size());
        if (!note("work=" + QFileInfo(path).fileName().toUtf8()) || !QDir().mkdir(path))
            return false;
        work = path;
        return true;
    }
    QString workFolder() const { return work; }
    // Said, and on the disk, before set `id` is moved aside.
    bool replaces(const QString &id) { return note("replace=" + id.toUtf8()); }

private:
    bool note(const QByteArray &line)
    {
        const QByteArray whole = line + '\n';  // one write: a cut-off line is never taken as said
        return file.write(whole) == whole.size() && file.flush() && ::fsync(file.handle()) == 0;
    }

    QTemporaryFile file;
    QString work;
};

} // namespace

QString exportSet(const QString &id, const QString &file, const FitsLabel &fits, const QString &setsFolder,
                  Existing existing)
{
    if (!isValidId(id) || !QFileInfo(QDir(setsFolder).filePath(id)).isDir())
        return SetArchive::tr("There is no word set of your own '%1'.").arg(id);
    const Folder set = readFolder(QDir(setsFolder).filePath(id), fits);
    if (!set.problem.isEmpty())
        return SetArchive::tr("Word set '%1' cannot be exported: %2.").arg(id, set.problem);
    const QFileInfo target(file);
    if ((target.exists() || target.isSymLink()) && existing == Existing::Keep)
        return SetArchive::tr("%1 already exists; it was not overwritten.").arg(file);

    QTemporaryFile written(target.absolutePath() + QStringLiteral("/.wordnest-export-XXXXXX"));
    if (!written.open())
        return SetArchive::tr("Cannot write %1: %2.").arg(file, written.errorString());
    const LibArchive *zipLib = LibArchive::get();
    if (!zipLib)
        return SetArchive::tr("Cannot write %1: %2.").arg(file, noLibrary());
    archive *zip = zipLib->archive_write_new();
    zipLib->archive_write_set_format_zip(zip);
    bool ok = zipLib->archive_write_open_fd(zip, written.handle()) == ARCHIVE_OK;
    QStringList words;
    for (const Word &word : set.words)
        words << word.text;
    ok = ok && addEntry(zip, id + u'/', {})
         && addEntry(zip, id + u'/' + wordListName(), wordListBytes(words))
         && addEntry(zip, id + u'/' + settingsName(), setNameBytes(set.name));
    for (int i = 0; ok && i < set.words.size(); ++i) {
        const Word &word = set.words.at(i);
        if (!word.problem.isEmpty())
            continue; // it stays unusable in the copy too
        const QByteArray png = encodePng(word.picture);
        ok = !png.isEmpty() && addEntry(zip, id + u'/' + mediaName(i, QStringLiteral("png")), png)
             && addEntry(zip, id + u'/' + mediaName(i, QStringLiteral("wav")), word.recording);
    }
    ok = zipLib->archive_write_close(zip) == ARCHIVE_OK && ok;
    const QString zipError = QString::fromUtf8(zipLib->archive_error_string(zip));
    zipLib->archive_write_free(zip);
    if (!ok || !written.flush())
        return SetArchive::tr("Cannot write %1: %2.")
            .arg(file, zipError.isEmpty() ? written.errorString() : zipError);
    written.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    // rename(2) replaces the old file (or a link in its place, not what it
    // points at) at once; QFile::rename would refuse.
    if (existing == Existing::Replace) {
        if (::rename(QFile::encodeName(written.fileName()).constData(), QFile::encodeName(file).constData()) != 0)
            return SetArchive::tr("Cannot replace %1.").arg(file);
        written.setAutoRemove(false);
        return {};
    }
    // A hard link puts the whole file in place, and refuses a file that appeared meanwhile.
    if (::link(QFile::encodeName(written.fileName()).constData(), QFile::encodeName(file).constData()) != 0)
        return errno == EEXIST ? SetArchive::tr("%1 already exists; it was not overwritten.").arg(file)
                               : SetArchive::tr("Cannot write %1.").arg(file);
    return {};
}

Unpacked unpackSet(const QString &file, const FitsLabel &fits, const QString &setsFolder)
{
    const auto refuse = [&file](const QString &why) {
        return Unpacked{{}, SetArchive::tr("%1 was not imported: %2.").arg(QFileInfo(file).fileName(), why)};
    };
    // A pipe or a device would stall the reader.
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st {};
    if (fd < 0)
        return refuse(SetArchive::tr("the file cannot be read"));
    const auto closeFile = qScopeGuard([fd] { ::close(fd); });
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return refuse(SetArchive::tr("it is not a regular file"));

    if (!QDir().mkpath(setsFolder))
        return refuse(SetArchive::tr("the sets' folder cannot be made"));
    // Unpacked here first; only a whole, checked set is moved into place.
    QTemporaryDir unpacked(QDir(setsFolder).filePath(QStringLiteral(".import-XXXXXX")));
    if (!unpacked.isValid())
        return refuse(SetArchive::tr("cannot write to the sets' folder"));

    const LibArchive *zipLib = LibArchive::get();
    if (!zipLib)
        return refuse(noLibrary());
    archive *zip = zipLib->archive_read_new();
    const auto freeZip = qScopeGuard([zipLib, zip] { zipLib->archive_read_free(zip); });
    zipLib->archive_read_support_format_zip(zip);
    if (zipLib->archive_read_open_fd(zip, fd, 64 * 1024) != ARCHIVE_OK)
        return refuse(SetArchive::tr("it is not a word set file (zip)"));

    QString id;
    QSet<QString> seen;
    qint64 unpackedBytes = 0;
    int entries = 0;
    archive_entry *entry = nullptr;
    int status;
    while ((status = zipLib->archive_read_next_header(zip, &entry)) == ARCHIVE_OK) {
        if (++entries > maxEntries)
            return refuse(SetArchive::tr("it holds more than %1 entries").arg(maxEntries));
        const char *rawPath = zipLib->archive_entry_pathname_utf8(entry);
        if (!rawPath)
            rawPath = zipLib->archive_entry_pathname(entry);
        const QString path = QString::fromUtf8(rawPath ? rawPath : "");
        QStringList parts = path.split(u'/');
        const bool isFolder = parts.size() == 2 && parts.at(1).isEmpty();
        if (isFolder)
            parts.removeLast();
        if (path.startsWith(u'/') || parts.size() > 2 || parts.contains(QStringLiteral("..")))
            return refuse(SetArchive::tr("it holds a path outside the set's folder (%1)").arg(path.left(80)));
        if (!isValidId(parts.at(0)))
            return refuse(SetArchive::tr("'%1' cannot be a folder name").arg(parts.at(0).left(80)));
        if (!id.isEmpty() && parts.at(0) != id)
            return refuse(SetArchive::tr("it holds more than one word set"));
        id = parts.at(0);
        const mode_t type = zipLib->archive_entry_filetype(entry);
        if (zipLib->archive_entry_hardlink(entry) || zipLib->archive_entry_symlink(entry)
            || type != (isFolder || parts.size() == 1 ? AE_IFDIR : AE_IFREG))
            return refuse(SetArchive::tr("it holds a link or a special file (%1)").arg(path.left(80)));
        if (type == AE_IFDIR)
            continue;
        const QString name = parts.at(1);
        if (!isSetFileName(name))
            return refuse(SetArchive::tr("it holds a file a word set should not have (%1)").arg(path.left(80)));
        if (seen.contains(name))
            return refuse(SetArchive::tr("it holds %1 twice").arg(path.left(80)));
        seen.insert(name);

        if (!QDir(unpacked.path()).mkpath(id))
            return refuse(SetArchive::tr("cannot write to the sets' folder"));
        QFile out(unpacked.path() + u'/' + id + u'/' + name);
        if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return refuse(SetArchive::tr("cannot write to the sets' folder"));
        char block[64 * 1024];
        for (qint64 fileBytes = 0;;) {
            // Counted as unpacked, whatever sizes the headers claim.
            const la_ssize_t got = zipLib->archive_read_data(zip, block, sizeof block);
            if (got < 0)
                return refuse(SetArchive::tr("the file is damaged (%1)")
                                  .arg(QString::fromUtf8(zipLib->archive_error_string(zip))));
            if (got == 0)
                break;
            unpackedBytes += got;
            fileBytes += got;
            if (unpackedBytes > maxUnpackedBytes)
                return refuse(SetArchive::tr("unpacked, it is over %1 MB").arg(maxUnpackedBytes / 1024 / 1024));
            // The same bound as the set's reader: what it would refuse is not unpacked.
            if (fileBytes > limitFor(name))
                return refuse(SetArchive::tr("%1 is too large").arg(path.left(80)));
            if (out.write(block, got) != got)
                return refuse(SetArchive::tr("cannot write to the sets' folder"));
        }
    }
    if (status != ARCHIVE_EOF)
        return refuse(SetArchive::tr("the file is damaged or not a word set file"));
    if (id.isEmpty() || !seen.contains(wordListName()))
        return refuse(SetArchive::tr("it holds no set folder with a words.txt"));

    const Folder set = readFolder(unpacked.path() + u'/' + id, fits);
    if (!set.problem.isEmpty())
        return refuse(set.problem);
    const QString place = QDir(setsFolder).filePath(id);
    const QString exists = SetArchive::tr("there is already a word set '%1'").arg(id);
    if (QFileInfo::exists(place) || QFileInfo(place).isSymLink())
        return refuse(exists);
    if (!renameNoReplace(unpacked.path() + u'/' + id, place))
        return refuse(errno == EEXIST || errno == ENOTEMPTY ? exists : SetArchive::tr("it cannot be put into the sets' folder"));
    return {id, {}};
}

Import importFile(const QString &file, OnConflict onConflict, const QString &setsFolder)
{
    // Worded like the archive's own refusals, which name the file.
    const auto refused = [&file](const QString &why) {
        return Import{{}, {}, SetArchive::tr("%1 was not imported: %2.").arg(QFileInfo(file).fileName(), why)};
    };
    if (!QDir().mkpath(setsFolder))
        return refused(SetArchive::tr("cannot make the folder %1").arg(setsFolder));
    ImportJournal work(workPlace(setsFolder));
    if (!work.begin())
        return refused(SetArchive::tr("cannot make a temporary folder in %1").arg(workPlace(setsFolder).path()));
    const Unpacked imported = unpackSet(file, fitsWordLabel, work.workFolder());
    if (!imported.problem.isEmpty())
        return {{}, {}, imported.problem};
    const QString unpacked = QDir(work.workFolder()).filePath(imported.id);
    QDir sets(setsFolder);
    if (!setExists(imported.id, setsFolder)) {
        if (!sets.rename(unpacked, imported.id))
            return refused(SetArchive::tr("cannot put the set into %1").arg(setsFolder));
        return {imported.id, {}, {}};
    }
    switch (onConflict) {
    case OnConflict::Ask:
        return {{}, imported.id, {}};
    case OnConflict::Cancel:
        return {};
    case OnConflict::KeepBoth: {
        const QString id = freeId(imported.id, setsFolder);
        if (!sets.rename(unpacked, id))
            return refused(SetArchive::tr("cannot put the set into %1").arg(setsFolder));
        return {id, {}, {}};
    }
    case OnConflict::Replace: {
        // The old set moves aside first and is removed only once the new one
        // is in place; the journal lets the next start put it back after a crash.
        const QString aside = QDir(work.workFolder()).filePath(replacedName);
        if (!work.replaces(imported.id) || !sets.rename(imported.id, aside))
            return refused(SetArchive::tr("cannot replace word set '%1'").arg(imported.id));
        if (!sets.rename(unpacked, imported.id)) {
            sets.rename(aside, imported.id);
            return refused(SetArchive::tr("cannot replace word set '%1'").arg(imported.id));
        }
        return {imported.id, {}, {}};
    }
    }
    return {};
}

QStringList finishCutOffImports(const QString &setsFolder)
{
    QStringList restored;
    const QDir place = workPlace(setsFolder);
    const QStringList journals = place.entryList({QStringLiteral("import-*") + journalSuffix}, QDir::Files | QDir::Hidden);
    for (const QString &name : journals) {
        const QString path = place.filePath(name);
        if (QFileInfo(path).isSymLink())
            continue;
        QFile journal(path);
        if (!journal.open(QIODevice::ReadOnly) || ::flock(journal.handle(), LOCK_EX | LOCK_NB) != 0)
            continue;  // an import still running (a teacher's command beside the game)
        QString work, replaced;
        QList<QByteArray> lines = journal.read(4096).split('\n');
        lines.removeLast();  // only whole lines were said
        for (const QByteArray &line : std::as_const(lines)) {
            if (line.startsWith("work="))
                work = QString::fromUtf8(line.mid(5));
            else if (line.startsWith("replace="))
                replaced = QString::fromUtf8(line.mid(8));
        }
        // Only the folder named like the journal itself, and a set by a valid id.
        const QString workPath = place.filePath(name.chopped(journalSuffix.size()));
        if (work.isEmpty())
            journal.remove();  // cut off before it named anything
        if (work != QFileInfo(workPath).fileName())
            continue;
        const QFileInfo folder(workPath);
        const bool ours = folder.isDir() && !folder.isSymLink();
        const QFileInfo aside(QDir(workPath).filePath(replacedName));
        if (ours && isValidId(replaced) && !setExists(replaced, setsFolder) && aside.isDir()
            && !aside.isSymLink() && QDir(setsFolder).rename(aside.filePath(), replaced))
            restored << replaced;
        if ((!ours || QDir(workPath).removeRecursively()) && !folder.isSymLink())
            journal.remove();
    }
    return restored;
}

} // namespace ownsets
