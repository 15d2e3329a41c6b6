#include "ownsets/setreader.h"

#include "ownsets/ownmedia.h"
#include "ownsets/picturecache.h"
#include "ownsets/rowjournal.h"
#include "catalogue/songfont.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <tuple>

namespace ownsets {

namespace {

constexpr int maxNameCharacters = 60;
// The word label's width in the game.
constexpr double wordLabelWidth = 105;

QString readRowPicture(const QString &folder, const QString &name, QImage &image, Stamp &stamp)
{
    const CachedPicture picture = cachedPicture(folder, name);
    image = picture.image;
    stamp = picture.stamp;
    return picture.problem;
}

// That the recording is there to be read, without converting it: a listing
// leaves that to the game, which loads the set before it plays.
QString checkRowRecording(const QString &folder, const QString &name, Stamp &stamp)
{
    QString problem;
    if (!openFile(folder, name, maxRecordingBytes, problem, stamp))
        return problem;
    return stamp.size == 0 ? QStringLiteral("是空的") : QString();
}

QString readRowRecording(const QString &folder, const QString &name, QByteArray &wave, Stamp &stamp)
{
    const Contents file = readFile(folder, name, maxRecordingBytes);
    if (!file.problem.isEmpty())
        return file.problem;
    stamp = file.stamp;
    Recording recording = convertRecording(file.bytes);
    wave = recording.wave;
    return recording.problem;
}

// Reads row `row`'s picture and recording into `word`, taking them from
// `before` where its files are the ones read then.
void readMedia(const QString &folder, const QStringList &names, int row, Word &word, const Word *before, bool whole)
{
    const RowFiles files = rowFiles(names, row);
    QStringList problems;
    if (!files.problem.isEmpty())
        problems << files.problem;
    else {
        word.pictureFile = files.picture;
        word.recordingFile = files.recording;
        const bool samePicture = before && before->problem.isEmpty() && !before->picture.isNull()
                                 && before->pictureFile == files.picture
                                 && before->pictureStamp == stampOf(folder, files.picture);
        const bool sameRecording = before && before->problem.isEmpty() && !before->recording.isEmpty()
                                   && before->recordingFile == files.recording
                                   && before->recordingStamp == stampOf(folder, files.recording);
        if (files.picture.isEmpty())
            problems << QStringLiteral("没有图片 %1").arg(mediaName(row, QStringLiteral("png")));
        else if (samePicture)
            std::tie(word.picture, word.pictureStamp) = std::tie(before->picture, before->pictureStamp);
        else if (const QString problem = whole ? readRowPicture(folder, files.picture, word.picture, word.pictureStamp)
                                               : checkPicture(folder, files.picture, word.pictureStamp);
                 !problem.isEmpty())
            problems << QStringLiteral("图片 %1 %2").arg(files.picture, problem);
        if (files.recording.isEmpty())
            problems << QStringLiteral("没有录音 %1").arg(mediaName(row, QStringLiteral("wav")));
        else if (sameRecording)
            std::tie(word.recording, word.recordingStamp) = std::tie(before->recording, before->recordingStamp);
        else if (const QString problem =
                     whole ? readRowRecording(folder, files.recording, word.recording, word.recordingStamp)
                           : checkRowRecording(folder, files.recording, word.recordingStamp);
                 !problem.isEmpty())
            problems << QStringLiteral("录音 %1 %2").arg(files.recording, problem);
    }
    word.problem = problems.join(QStringLiteral("，"));
    if (!word.problem.isEmpty()) {
        word.picture = {};
        word.recording = {};
    }
}

qsizetype indexIgnoringCase(const QStringList &list, const QString &word)
{
    for (qsizetype i = 0; i < list.size(); ++i)
        if (list.at(i).compare(word, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

} // namespace

bool fitsWordLabel(const QString &word)
{
    Q_ASSERT(qobject_cast<QGuiApplication *>(QCoreApplication::instance()));
    return QFontMetricsF(songFont(12)).horizontalAdvance(word) <= wordLabelWidth;
}

WordList parseWordList(const QByteArray &bytes, const FitsLabel &fits)
{
    WordList list;
    if (bytes.size() > maxListBytes)
        return {{}, QStringLiteral("words.txt 太大（超过 64 KB）"), true};
    const ListText text = decodeWordList(bytes);
    if (!text.problem.isEmpty())
        return {{}, text.problem, true};
    QStringList lines = text.text.split(u'\n');
    if (lines.size() > 1 && lines.constLast().isEmpty())
        lines.removeLast();
    if (text.text.isEmpty())
        lines.clear();
    QStringList problems;
    for (int i = 0; i < lines.size(); ++i) {
        const int line = i + 1;
        const QString word = lines.at(i).trimmed();
        if (word.isEmpty())
            problems << QStringLiteral("第 %1 行是空行").arg(line);
        else if (word.size() > maxLineCharacters)
            problems << QStringLiteral("第 %1 行太长（%2 个字符）").arg(line).arg(word.size());
        else if (std::any_of(word.begin(), word.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
            problems << QStringLiteral("第 %1 行含有控制字符").arg(line);
        else if (const qsizetype same = indexIgnoringCase(list.words, word); same >= 0)
            problems << QStringLiteral("第 %1 行和第 %2 行重复（“%3”）").arg(line).arg(same + 1).arg(word);
        else if (!fits(word))
            problems << QStringLiteral("第 %1 行（“%2”）太宽，词语框放不下").arg(line).arg(word);
        list.words << word;
    }
    if (problems.size() > 3)
        problems = problems.mid(0, 3) << QStringLiteral("另有 %1 处问题").arg(problems.size() - 3);
    const QString count = QStringLiteral("words.txt 有 %1 个词，").arg(list.words.size());
    if (list.words.size() < minWords)
        problems.prepend(count + QStringLiteral("一组至少要 %1 个").arg(minWords));
    else if (list.words.size() > maxWords)
        problems.prepend(count + QStringLiteral("一组最多 %1 个").arg(maxWords));
    list.problem = problems.join(QStringLiteral("；"));
    return list;
}

QString parseSetName(const QByteArray &bytes)
{
    if (bytes.size() > maxSettingsBytes)
        return {};
    bool inSet = false;
    QString name;
    for (const QString &raw : QString::fromUtf8(bytes).split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'['))
            inSet = line == QLatin1String("[set]");
        else if (inSet && line.startsWith(QLatin1String("name")) && line.mid(4).trimmed().startsWith(u'='))
            name = line.mid(line.indexOf(u'=') + 1).trimmed();
    }
    name.removeIf([](QChar c) { return c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter; });
    return name.left(maxNameCharacters);
}

int Folder::usableWords() const
{
    return int(std::count_if(words.begin(), words.end(), [](const Word &w) { return w.problem.isEmpty(); }));
}

QString Folder::whatIsWrong() const
{
    if (!problem.isEmpty())
        return problem;
    if (usableWords() >= minWords)
        return {};
    QStringList why{
        QStringLiteral("只有 %1 个词能用，一组至少要 %2 个").arg(usableWords()).arg(minWords)};
    for (int i = 0; i < words.size() && why.size() <= 4; ++i)
        if (!words.at(i).problem.isEmpty())
            why << QStringLiteral("“%1”：%2").arg(words.at(i).text, words.at(i).problem);
    return why.join(QStringLiteral("；"));
}

namespace {

Folder readSet(const QString &path, const FitsLabel &fits, const Folder *before, bool whole)
{
    Folder set;
    const QFileInfo folder(path);
    set.path = path;
    set.id = set.name = folder.fileName();
    if (!isValidId(set.id)) {
        set.problem = QStringLiteral("文件夹名“%1”不能用（只能用英文字母、数字和 -，至少一个字母，"
                                     "不能是 tricky）")
                          .arg(set.id);
        return set;
    }
    if (folder.isSymLink() || !folder.isDir()) {
        set.problem = QStringLiteral("词语组文件夹是链接或不是文件夹，游戏不会打开");
        return set;
    }
    // Rows the editor was moving when it stopped get their own files back first.
    finishMovingRows(path);

    const Contents settings = readFile(path, settingsName(), maxSettingsBytes);
    if (const QString name = parseSetName(settings.bytes); !name.isEmpty())
        set.name = name;

    const Contents listFile = readFile(path, wordListName(), maxListBytes);
    if (!listFile.problem.isEmpty()) {
        set.problem = listFile.missing ? QStringLiteral("词语组里没有 words.txt")
                                       : QStringLiteral("words.txt ") + listFile.problem;
        return set;
    }
    const WordList list = parseWordList(listFile.bytes, fits);
    for (const QString &text : list.words) {
        Word word;
        word.text = text;
        set.words.append(word);
    }
    set.problem = list.problem;
    if (!set.problem.isEmpty())
        return set;

    const QStringList names = fileNames(path);
    for (int i = 0; i < set.words.size(); ++i)
        readMedia(path, names, i, set.words[i], before && i < before->words.size() ? &before->words.at(i) : nullptr,
                  whole);
    set.whole = whole;
    return set;
}

} // namespace

Folder readFolder(const QString &path, const FitsLabel &fits, const Folder *before)
{
    return readSet(path, fits, before, true);
}

Folder listFolder(const QString &path, const FitsLabel &fits)
{
    return readSet(path, fits, nullptr, false);
}

} // namespace ownsets
