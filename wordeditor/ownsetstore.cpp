#include "wordeditor/ownsetstore.h"

#include "ownwords/ownset.h"
#include "ownwords/setarchive.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <sys/file.h>
#include <unistd.h>

namespace ownsetstore {

namespace {

bool setExists(const QString &id, const QString &setsFolder)
{
    const QFileInfo info(QDir(setsFolder).filePath(id));
    return info.exists() || info.isSymLink();
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

QString idFromName(const QString &name)
{
    QString id;
    for (const QChar c : name.normalized(QString::NormalizationForm_KD)) {
        if (c.unicode() < 128 && c.isLetterOrNumber())
            id += c.toLower();
        else if (c.unicode() < 128 || c.isSpace() || c.isPunct())
            if (!id.isEmpty() && !id.endsWith(u'-'))
                id += u'-';
    }
    while (id.endsWith(u'-'))
        id.chop(1);
    id.truncate(40);
    return ownset::isValidId(id) ? id : QString();
}

QString freeId(const QString &id, const QString &setsFolder)
{
    QString candidate = id;
    for (int n = 2; setExists(candidate, setsFolder) || !ownset::isValidId(candidate); ++n)
        candidate = QStringLiteral("%1-%2").arg(id).arg(n);
    return candidate;
}

QString create(const QString &id, const QString &name, const QString &setsFolder)
{
    if (!ownset::isValidId(id))
        return QStringLiteral("编号“%1”不能用：只能用英文字母、数字和 -，至少一个字母。").arg(id);
    if (setExists(id, setsFolder))
        return QStringLiteral("已经有编号为“%1”的词语组了。").arg(id);
    QDir sets(setsFolder);
    if (!sets.mkpath(QStringLiteral(".")) || !sets.mkdir(id))
        return QStringLiteral("无法建立文件夹 %1。").arg(sets.filePath(id));
    if (const QString problem = ownset::writeSetName(sets.filePath(id), name); !problem.isEmpty()) {
        sets.rmdir(id);
        return problem;
    }
    return {};
}

QString rename(const QString &id, const QString &name, const QString &setsFolder)
{
    if (!ownset::isValidId(id) || !QFileInfo(QDir(setsFolder).filePath(id)).isDir())
        return QStringLiteral("找不到词语组“%1”。").arg(id);
    return ownset::writeSetName(QDir(setsFolder).filePath(id), name);
}

QString remove(const QString &id, const QString &setsFolder, const QString &boardFolder)
{
    // An id never holds a '/' or "..": only the set's own folder can go.
    if (!ownset::isValidId(id) || !setExists(id, setsFolder))
        return QStringLiteral("找不到词语组“%1”。").arg(id);
    const QString path = QDir(setsFolder).filePath(id);
    // A link in place of the folder goes by itself; what it points at stays.
    const bool removed = QFileInfo(path).isSymLink() ? QFile::remove(path) : QDir(path).removeRecursively();
    if (!removed)
        return QStringLiteral("无法删除 %1。").arg(path);
    const QString board = QDir(boardFolder).filePath(QStringLiteral("kivora-%1.tmp").arg(id));
    if (QFileInfo::exists(board) && !QFile::remove(board))
        return QStringLiteral("词语组已删除，但无法删除它的排行榜 %1。").arg(board);
    return {};
}

Import importFile(const QString &file, OnConflict onConflict, const QString &setsFolder)
{
    // Worded like the archive's own refusals, which name the file.
    const auto refused = [&file](const QString &why) {
        return Import{{}, {}, QStringLiteral("没有导入 %1：%2。").arg(QFileInfo(file).fileName(), why)};
    };
    if (!QDir().mkpath(setsFolder))
        return refused(QStringLiteral("无法建立文件夹 %1").arg(setsFolder));
    ImportJournal work(workPlace(setsFolder));
    if (!work.begin())
        return refused(QStringLiteral("无法在 %1 建立临时文件夹").arg(workPlace(setsFolder).path()));
    const setarchive::Imported imported = setarchive::importSet(file, ownset::fitsWordLabel, work.workFolder());
    if (!imported.problem.isEmpty())
        return {{}, {}, imported.problem};
    const QString unpacked = QDir(work.workFolder()).filePath(imported.id);
    QDir sets(setsFolder);
    if (!setExists(imported.id, setsFolder)) {
        if (!sets.rename(unpacked, imported.id))
            return refused(QStringLiteral("无法把词语组放进 %1").arg(setsFolder));
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
            return refused(QStringLiteral("无法把词语组放进 %1").arg(setsFolder));
        return {id, {}, {}};
    }
    case OnConflict::Replace: {
        // The old set moves aside first and is removed only once the new one
        // is in place; the journal lets the next start put it back after a crash.
        const QString aside = QDir(work.workFolder()).filePath(replacedName);
        if (!work.replaces(imported.id) || !sets.rename(imported.id, aside))
            return refused(QStringLiteral("无法替换词语组“%1”").arg(imported.id));
        if (!sets.rename(unpacked, imported.id)) {
            sets.rename(aside, imported.id);
            return refused(QStringLiteral("无法替换词语组“%1”").arg(imported.id));
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
        if (ours && ownset::isValidId(replaced) && !setExists(replaced, setsFolder) && aside.isDir()
            && !aside.isSymLink() && QDir(setsFolder).rename(aside.filePath(), replaced))
            restored << replaced;
        if ((!ours || QDir(workPath).removeRecursively()) && !folder.isSymLink())
            journal.remove();
    }
    return restored;
}

} // namespace ownsetstore
