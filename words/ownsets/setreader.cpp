#include "ownsets/setreader.h"

#include "ownsets/ownmedia.h"
#include "ownsets/picturecache.h"
#include "ownsets/rowjournal.h"
#include "ownsets/setwriter.h"
#include "catalogue/songfont.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>

#include <algorithm>
#include <tuple>

namespace ownsets {

namespace {

// A set's problems are written in English here and translated: the windows
// show them in Chinese, the command line in the locale's language.
struct SetReader
{
    Q_DECLARE_TR_FUNCTIONS(SetReader)
};

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

QString readRowRecording(const QString &folder, const QString &name, QByteArray &wave, Stamp &stamp)
{
    const Contents file = readFile(folder, name, maxRecordingBytes);
    if (!file.problem.isEmpty())
        return file.problem;
    stamp = file.stamp;
    if (const QString known = rememberedProblem(folder, name, stamp); !known.isEmpty())
        return known;
    Recording recording = convertRecording(file.bytes, name);
    if (canReadSounds())
        rememberProblem(folder, name, stamp, recording.problem);
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
            problems << SetReader::tr("no picture %1, %2 or %3")
                            .arg(mediaName(row, QStringLiteral("png")), mediaName(row, QStringLiteral("jpg")),
                                 mediaName(row, QStringLiteral("bmp")));
        else if (samePicture)
            std::tie(word.picture, word.pictureStamp) = std::tie(before->picture, before->pictureStamp);
        else if (const QString problem = whole ? readRowPicture(folder, files.picture, word.picture, word.pictureStamp)
                                               : checkPicture(folder, files.picture, word.pictureStamp);
                 !problem.isEmpty())
            problems << SetReader::tr("picture %1 %2").arg(files.picture, problem);
        if (files.recording.isEmpty())
            problems << SetReader::tr("no recording %1").arg(mediaName(row, QStringLiteral("wav")));
        else if (sameRecording)
            std::tie(word.recording, word.recordingStamp) = std::tie(before->recording, before->recordingStamp);
        else if (const QString problem =
                     whole ? readRowRecording(folder, files.recording, word.recording, word.recordingStamp)
                           : checkRecording(folder, files.recording, word.recordingStamp);
                 !problem.isEmpty())
            problems << SetReader::tr("recording %1 %2").arg(files.recording, problem);
    }
    word.problem = problems.join(SetReader::tr(", "));
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
        return {{}, SetReader::tr("words.txt is too large (over 64 KB)"), true};
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
            problems << SetReader::tr("line %1 is empty").arg(line);
        else if (word.size() > maxLineCharacters)
            problems << SetReader::tr("line %1 is too long (%2 characters)").arg(line).arg(word.size());
        else if (std::any_of(word.begin(), word.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
            problems << SetReader::tr("line %1 holds a control character").arg(line);
        else if (const qsizetype same = indexIgnoringCase(list.words, word); same >= 0)
            problems << SetReader::tr("line %1 repeats line %2 ('%3')").arg(line).arg(same + 1).arg(word);
        else if (!fits(word))
            problems << SetReader::tr("line %1 ('%2') is too wide for the word box").arg(line).arg(word);
        list.words << word;
    }
    if (problems.size() > 3)
        problems = problems.mid(0, 3) << SetReader::tr("and %1 more problems").arg(problems.size() - 3);
    const QString count = SetReader::tr("words.txt has %1 words, ").arg(list.words.size());
    if (list.words.size() < minWords)
        problems.prepend(count + SetReader::tr("a set needs at least %1").arg(minWords));
    else if (list.words.size() > maxWords)
        problems.prepend(count + SetReader::tr("a set takes at most %1").arg(maxWords));
    list.problem = problems.join(SetReader::tr("; "));
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
        SetReader::tr("only %1 words can be used, a set needs at least %2").arg(usableWords()).arg(minWords)};
    for (int i = 0; i < words.size() && why.size() <= 4; ++i)
        if (!words.at(i).problem.isEmpty())
            why << SetReader::tr("'%1': %2").arg(words.at(i).text, words.at(i).problem);
    return why.join(SetReader::tr("; "));
}

namespace {

Folder readSet(const QString &path, const FitsLabel &fits, const Folder *before, bool whole)
{
    Folder set;
    const QFileInfo folder(path);
    set.path = path;
    set.id = set.name = folder.fileName();
    if (!isValidId(set.id)) {
        // How to mend it comes first: a tile shows only the start.
        const QString like = idFromName(set.id);
        set.problem = SetReader::tr("the folder name '%1' cannot be used: rename the folder%2; a folder name takes only "
                                    "English letters, digits and -, at least one letter, and is not tricky")
                          .arg(set.id, like.isEmpty() ? QString() : SetReader::tr(" (for example %1)").arg(like));
        return set;
    }
    if (folder.isSymLink() || !folder.isDir()) {
        set.problem = SetReader::tr("the set's folder is a link or not a folder; the game does not open it");
        return set;
    }
    // Rows the editor was moving when it stopped get their own files back first.
    finishMovingRows(path);

    const Contents settings = readFile(path, settingsName(), maxSettingsBytes);
    if (const QString name = parseSetName(settings.bytes); !name.isEmpty())
        set.name = name;

    const Contents listFile = readFile(path, wordListName(), maxListBytes);
    if (!listFile.problem.isEmpty()) {
        set.problem = listFile.missing ? SetReader::tr("the set has no words.txt")
                                       : SetReader::tr("words.txt %1").arg(listFile.problem);
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
