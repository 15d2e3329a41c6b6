#include "ownsets/setwriter.h"

#include "leaderboard/boardfile.h"
#include "ownsets/ownmedia.h"
#include "ownsets/setfiles.h"

#include <QDir>
#include <QFileInfo>

namespace ownsets {

namespace {

// Removes row `row`'s files of `all` but `keep`: one file per row, whatever
// the case or type of the others.
QString removeOthers(const QString &folder, const QStringList &all, const QString &keep)
{
    for (const QString &name : all)
        if (name != keep)
            if (QString problem = removeFile(folder, name); !problem.isEmpty())
                return problem;
    return {};
}

} // namespace

QByteArray wordListBytes(const QStringList &words)
{
    return (words.join(u'\n') + u'\n').toUtf8();
}

QByteArray setNameBytes(const QString &name)
{
    return (QStringLiteral("[set]\nname=") + name + u'\n').toUtf8();
}

QString writeWordList(const QString &folder, const QStringList &words)
{
    return writeFile(folder, wordListName(), wordListBytes(words));
}

QString writeSetName(const QString &folder, const QString &name)
{
    QString oneLine = name.simplified();
    oneLine.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    return writeFile(folder, settingsName(), setNameBytes(oneLine));
}

QString storePicture(const QString &folder, int word, const QString &source)
{
    const Contents file = readChosenFile(source, maxPictureBytes);
    if (!file.problem.isEmpty())
        return QStringLiteral("%1 %2").arg(QFileInfo(source).fileName(), file.problem);
    const Picture picture = readPicture(file.bytes);
    if (!picture.problem.isEmpty())
        return QStringLiteral("%1 %2").arg(QFileInfo(source).fileName(), picture.problem);
    return storePictureImage(folder, word, picture.image);
}

QString storePictureImage(const QString &folder, int word, const QImage &image)
{
    if (image.isNull())
        return QStringLiteral("图片是空的");
    const QImage kept = image.width() > keptPictureSide || image.height() > keptPictureSide
                            ? image.scaled(keptPictureSide, keptPictureSide, Qt::KeepAspectRatio,
                                           Qt::SmoothTransformation)
                            : image;
    const QString target = mediaName(word, QStringLiteral("png"));
    if (QString problem = writeFile(folder, target, encodePng(kept)); !problem.isEmpty())
        return problem;
    return removeOthers(folder, rowFiles(folder, word).allPictures, target);
}

QString storeRecording(const QString &folder, int word, const QString &source)
{
    const Contents file = readChosenFile(source, maxRecordingBytes);
    if (!file.problem.isEmpty())
        return QStringLiteral("%1 %2").arg(QFileInfo(source).fileName(), file.problem);
    return storeRecordingBytes(folder, word, file.bytes, QFileInfo(source).fileName());
}

QString storeRecordingBytes(const QString &folder, int word, const QByteArray &sound, const QString &name)
{
    const Recording recording = convertRecording(sound, name);
    if (!recording.problem.isEmpty())
        return QStringLiteral("%1 %2").arg(name, recording.problem);
    return storeRecordingWave(folder, word, recording.wave);
}

QString storeRecordingWave(const QString &folder, int word, const QByteArray &wave)
{
    const QString target = mediaName(word, QStringLiteral("wav"));
    if (QString problem = writeFile(folder, target, wave); !problem.isEmpty())
        return problem;
    return removeOthers(folder, rowFiles(folder, word).allRecordings, target);
}

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
    return isValidId(id) ? id : QString();
}

QString freeId(const QString &id, const QString &setsFolder)
{
    QString candidate = id;
    for (int n = 2; setExists(candidate, setsFolder) || !isValidId(candidate); ++n)
        candidate = QStringLiteral("%1-%2").arg(id).arg(n);
    return candidate;
}

QString createSet(const QString &id, const QString &name, const QString &setsFolder)
{
    if (!isValidId(id))
        return QStringLiteral("文件夹名“%1”不能用：只能用英文字母、数字和 -，至少一个字母。").arg(id);
    if (setExists(id, setsFolder))
        return QStringLiteral("已经有文件夹名为“%1”的词语组了。").arg(id);
    QDir sets(setsFolder);
    if (!sets.mkpath(QStringLiteral(".")) || !sets.mkdir(id))
        return QStringLiteral("无法建立文件夹 %1。").arg(sets.filePath(id));
    if (const QString problem = writeSetName(sets.filePath(id), name); !problem.isEmpty()) {
        sets.rmdir(id);
        return problem;
    }
    return {};
}

QString renameSet(const QString &id, const QString &name, const QString &setsFolder)
{
    if (!isValidId(id) || !QFileInfo(QDir(setsFolder).filePath(id)).isDir())
        return QStringLiteral("找不到词语组“%1”。").arg(id);
    return writeSetName(QDir(setsFolder).filePath(id), name);
}

QString removeSet(const QString &id, const QString &setsFolder, const QString &boardFolder)
{
    // An id never holds a '/' or "..": only the set's own folder can go.
    if (!isValidId(id) || !setExists(id, setsFolder))
        return QStringLiteral("找不到词语组“%1”。").arg(id);
    const QString path = QDir(setsFolder).filePath(id);
    // A link in place of the folder goes by itself; what it points at stays.
    const bool removed = QFileInfo(path).isSymLink() ? QFile::remove(path) : QDir(path).removeRecursively();
    if (!removed)
        return QStringLiteral("无法删除 %1。").arg(path);
    const QString board = QDir(boardFolder).filePath(ownBoardFileName(id));
    if (QFileInfo::exists(board) && !QFile::remove(board))
        return QStringLiteral("词语组已删除，但无法删除它的排行榜 %1。").arg(board);
    return {};
}

} // namespace ownsets
