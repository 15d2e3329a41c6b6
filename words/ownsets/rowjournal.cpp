#include "ownsets/rowjournal.h"

#include "ownsets/setfiles.h"

#include <QStringList>

namespace ownsets {

namespace {

constexpr char header[] = "wordnest-rows 1\n";
constexpr char renamedMark[] = "renamed\n";
constexpr qint64 maxJournalBytes = 256 * 1024;

struct Plan
{
    QList<RowMove> moves;
    QByteArray wordList;
    bool renamed = false; // every file is under its temporary name
};

QString temporaryName(int move)
{
    return QStringLiteral(".rows-%1").arg(move);
}

QByteArray encode(const QList<RowMove> &moves, const QByteArray &wordList)
{
    QByteArray text = header;
    for (const RowMove &move : moves)
        text += "m " + move.from.toUtf8() + '\t' + move.to.toUtf8() + '\n';
    return text + "w " + wordList.toBase64() + "\nend\n";
}

// A journal may have been put there by hand: it only moves a set's own files.
bool decode(const QByteArray &text, Plan &plan)
{
    if (!text.startsWith(header))
        return false;
    bool complete = false;
    for (const QByteArray &line : text.mid(qsizetype(sizeof header) - 1).split('\n')) {
        if (line.startsWith("m ") && !complete) {
            const QList<QByteArray> names = line.mid(2).split('\t');
            const QString from = QString::fromUtf8(names.value(0)), to = QString::fromUtf8(names.value(1));
            if (names.size() != 2 || !isSetFileName(from) || (!to.isEmpty() && !isSetFileName(to)))
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
    return complete && plan.wordList.size() <= maxListBytes;
}

// Renames `from`; a `from` that is gone was renamed already.
QString renameOnce(const QString &folder, const QString &from, const QString &to)
{
    const QString problem = renameFile(folder, from, to);
    return problem.isEmpty() || !fileNames(folder).contains(from) ? QString() : problem;
}

// Carries `plan` out from wherever it stopped. Nothing is renamed onto a
// source before every source is under its temporary name, which the
// journal's "renamed" line marks.
QString execute(const QString &folder, const Plan &plan)
{
    if (!plan.renamed) {
        for (int i = 0; i < plan.moves.size(); ++i)
            if (QString problem = renameOnce(folder, plan.moves[i].from, temporaryName(i)); !problem.isEmpty())
                return problem;
        if (QString problem = writeFile(folder, rowJournalName, encode(plan.moves, plan.wordList) + renamedMark);
            !problem.isEmpty())
            return problem;
    }
    for (int i = 0; i < plan.moves.size(); ++i) {
        const QString problem = plan.moves[i].to.isEmpty() ? removeFile(folder, temporaryName(i))
                                                           : renameOnce(folder, temporaryName(i), plan.moves[i].to);
        if (!problem.isEmpty())
            return problem;
    }
    if (QString problem = writeFile(folder, wordListName(), plan.wordList); !problem.isEmpty())
        return problem;
    return removeFile(folder, rowJournalName);
}

} // namespace

QString moveRows(const QString &folder, const QList<RowMove> &moves, const QByteArray &wordList)
{
    for (const RowMove &move : moves)
        if (!isSetFileName(move.from) || (!move.to.isEmpty() && !isSetFileName(move.to)))
            return QStringLiteral("文件名“%1”不能移动").arg(move.from);
    const FolderLock lock(folder);
    if (!lock.held())
        return QStringLiteral("打不开词语组文件夹");
    if (QString problem = writeFile(folder, rowJournalName, encode(moves, wordList)); !problem.isEmpty())
        return problem;
    if (QString problem = execute(folder, Plan{moves, wordList, false}); !problem.isEmpty())
        return problem + QStringLiteral("（下次打开这组词时会接着做完）");
    return {};
}

void finishMovingRows(const QString &folder)
{
    if (!fileNames(folder).contains(QLatin1String(rowJournalName)))
        return;
    const FolderLock lock(folder);
    const Contents journal = readFile(folder, rowJournalName, maxJournalBytes);
    Plan plan;
    // Finished while this waited for the lock, or no journal of ours: left as it is.
    if (lock.held() && journal.problem.isEmpty() && decode(journal.bytes, plan))
        execute(folder, plan);
}

} // namespace ownsets
