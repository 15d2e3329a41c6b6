#include "ownwords/ownset.h"

#include "ownwords/ownmedia.h"
#include "ownwords/rowjournal.h"
#include "ownwords/setfiles.h"
#include "ui/songfont.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>
#include <tuple>

namespace ownset {

namespace {

constexpr int maxNameCharacters = 60;
// The word label's width in the game.
constexpr double wordLabelWidth = 105;

std::atomic<int> decodedPictures = 0;

QString readPicture(const QString &folder, const QString &name, QImage &image, setfiles::Stamp &stamp)
{
    const setfiles::Contents file = setfiles::read(folder, name, setfiles::maxPictureBytes);
    if (!file.problem.isEmpty())
        return file.problem;
    stamp = file.stamp;
    ++decodedPictures;
    QBuffer buffer;
    buffer.setData(file.bytes);
    buffer.open(QIODevice::ReadOnly);
    ownmedia::Picture picture = ownmedia::readPicture(buffer);
    image = picture.image;
    return picture.problem;
}

QString readRecording(const QString &folder, const QString &name, QByteArray &wave, setfiles::Stamp &stamp)
{
    const setfiles::Contents file = setfiles::read(folder, name, setfiles::maxRecordingBytes);
    if (!file.problem.isEmpty())
        return file.problem;
    stamp = file.stamp;
    ownmedia::Recording recording = ownmedia::convertRecording(file.bytes);
    wave = recording.wave;
    return recording.problem;
}

// Reads row `row`'s picture and recording into `word`, taking them from
// `before` where its files are the ones read then.
void readMedia(const QString &folder, int row, Word &word, const Word *before)
{
    const setfiles::RowFiles files = setfiles::rowFiles(folder, row);
    QStringList problems;
    if (!files.problem.isEmpty())
        problems << files.problem;
    else {
        word.pictureFile = files.picture;
        word.recordingFile = files.recording;
        const bool samePicture = before && before->problem.isEmpty() && before->pictureFile == files.picture
                                 && before->pictureStamp == setfiles::stampOf(folder, files.picture);
        const bool sameRecording = before && before->problem.isEmpty() && before->recordingFile == files.recording
                                   && before->recordingStamp == setfiles::stampOf(folder, files.recording);
        if (files.picture.isEmpty())
            problems << QStringLiteral("没有图片 %1").arg(setfiles::mediaName(row, QStringLiteral("png")));
        else if (samePicture)
            std::tie(word.picture, word.pictureStamp) = std::tie(before->picture, before->pictureStamp);
        else if (const QString problem = readPicture(folder, files.picture, word.picture, word.pictureStamp);
                 !problem.isEmpty())
            problems << QStringLiteral("图片 %1 %2").arg(files.picture, problem);
        if (files.recording.isEmpty())
            problems << QStringLiteral("没有录音 %1").arg(setfiles::mediaName(row, QStringLiteral("wav")));
        else if (sameRecording)
            std::tie(word.recording, word.recordingStamp) = std::tie(before->recording, before->recordingStamp);
        else if (const QString problem = readRecording(folder, files.recording, word.recording, word.recordingStamp);
                 !problem.isEmpty())
            problems << QStringLiteral("录音 %1 %2").arg(files.recording, problem);
    }
    word.problem = problems.join(QStringLiteral("，"));
    if (!word.problem.isEmpty()) {
        word.picture = {};
        word.recording = {};
    }
}

// Removes row `row`'s files of `all` but `keep`: one file per row, whatever
// the case or type of the others.
QString removeOthers(const QString &folder, const QStringList &all, const QString &keep)
{
    for (const QString &name : all)
        if (name != keep)
            if (QString problem = setfiles::remove(folder, name); !problem.isEmpty())
                return problem;
    return {};
}

qsizetype indexIgnoringCase(const QStringList &list, const QString &word)
{
    for (qsizetype i = 0; i < list.size(); ++i)
        if (list.at(i).compare(word, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
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

bool fitsWordLabel(const QString &word)
{
    Q_ASSERT(qobject_cast<QGuiApplication *>(QCoreApplication::instance()));
    return QFontMetricsF(songFont(12)).horizontalAdvance(word) <= wordLabelWidth;
}

WordList parseWordList(const QByteArray &bytes, const FitsLabel &fits)
{
    WordList list;
    if (bytes.size() > setfiles::maxListBytes)
        return {{}, QStringLiteral("words.txt 太大（超过 64 KB）"), true};
    const setfiles::Text text = setfiles::decodeWordList(bytes);
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
    if (bytes.size() > setfiles::maxSettingsBytes)
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

Folder readFolder(const QString &path, const FitsLabel &fits, const Folder *before)
{
    Folder set;
    const QFileInfo folder(path);
    set.path = path;
    set.id = set.name = folder.fileName();
    if (!isValidId(set.id)) {
        set.problem = QStringLiteral("文件夹名“%1”不能当编号（只能用英文字母、数字和 -，至少一个字母，"
                                     "不能是 tricky）")
                          .arg(set.id);
        return set;
    }
    if (folder.isSymLink() || !folder.isDir()) {
        set.problem = QStringLiteral("词语组文件夹是链接或不是文件夹，游戏不会打开");
        return set;
    }
    // Rows the editor was moving when it stopped get their own files back first.
    rowjournal::recover(path);

    const setfiles::Contents settings = setfiles::read(path, setfiles::settingsName(), setfiles::maxSettingsBytes);
    if (const QString name = parseSetName(settings.bytes); !name.isEmpty())
        set.name = name;

    const setfiles::Contents listFile = setfiles::read(path, setfiles::wordListName(), setfiles::maxListBytes);
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

    for (int i = 0; i < set.words.size(); ++i)
        readMedia(path, i, set.words[i], before && i < before->words.size() ? &before->words.at(i) : nullptr);
    return set;
}

int picturesDecoded()
{
    return decodedPictures;
}

QString writeWordList(const QString &folder, const QStringList &words)
{
    return setfiles::write(folder, setfiles::wordListName(), (words.join(u'\n') + u'\n').toUtf8());
}

QString writeSetName(const QString &folder, const QString &name)
{
    QString oneLine = name.simplified();
    oneLine.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    return setfiles::write(folder, setfiles::settingsName(),
                           (QStringLiteral("[set]\nname=") + oneLine + u'\n').toUtf8());
}

QString storePicture(const QString &folder, int word, const QString &source)
{
    const setfiles::Contents file = setfiles::readChosen(source, setfiles::maxPictureBytes);
    if (!file.problem.isEmpty())
        return QStringLiteral("%1 %2").arg(QFileInfo(source).fileName(), file.problem);
    QBuffer buffer;
    buffer.setData(file.bytes);
    buffer.open(QIODevice::ReadOnly);
    const ownmedia::Picture picture = ownmedia::readPicture(buffer);
    if (!picture.problem.isEmpty())
        return QStringLiteral("%1 %2").arg(QFileInfo(source).fileName(), picture.problem);
    return storePictureImage(folder, word, picture.image);
}

QString storePictureImage(const QString &folder, int word, const QImage &image)
{
    if (image.isNull())
        return QStringLiteral("图片是空的");
    const QImage kept = image.width() > ownmedia::keptPictureSide || image.height() > ownmedia::keptPictureSide
                            ? image.scaled(ownmedia::keptPictureSide, ownmedia::keptPictureSide,
                                           Qt::KeepAspectRatio, Qt::SmoothTransformation)
                            : image;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    kept.save(&buffer, "PNG");
    const QString target = setfiles::mediaName(word, QStringLiteral("png"));
    if (QString problem = setfiles::write(folder, target, png); !problem.isEmpty())
        return problem;
    return removeOthers(folder, setfiles::rowFiles(folder, word).allPictures, target);
}

QString storeRecording(const QString &folder, int word, const QString &source)
{
    const setfiles::Contents file = setfiles::readChosen(source, setfiles::maxRecordingBytes);
    if (!file.problem.isEmpty())
        return QStringLiteral("%1 %2").arg(QFileInfo(source).fileName(), file.problem);
    return storeRecordingBytes(folder, word, file.bytes, QFileInfo(source).fileName());
}

QString storeRecordingBytes(const QString &folder, int word, const QByteArray &sound, const QString &name)
{
    const ownmedia::Recording recording = ownmedia::convertRecording(sound);
    if (!recording.problem.isEmpty())
        return QStringLiteral("%1 %2").arg(name, recording.problem);
    return storeRecordingWave(folder, word, recording.wave);
}

QString storeRecordingWave(const QString &folder, int word, const QByteArray &wave)
{
    const QString target = setfiles::mediaName(word, QStringLiteral("wav"));
    if (QString problem = setfiles::write(folder, target, wave); !problem.isEmpty())
        return problem;
    return removeOthers(folder, setfiles::rowFiles(folder, word).allRecordings, target);
}

} // namespace ownset

OwnWordSet::OwnWordSet(const ownset::Folder &folder)
    : folder(folder)
    , setId(folder.id)
    , name(folder.name)
{
    for (const ownset::Word &word : folder.words)
        if (word.problem.isEmpty())
            usable.append(word);
}

QStringList OwnWordSet::words() const
{
    QStringList texts;
    for (const ownset::Word &word : usable)
        texts << word.text;
    return texts;
}

PictureArt OwnWordSet::picture(int word) const
{
    if (word < 0 || word >= usable.size())
        return {};
    const QImage original = usable.at(word).picture;
    return {QPixmap::fromImage(ownmedia::fitIntoSquare(original, 90)), [original](int factor) {
                QPixmap larger = QPixmap::fromImage(ownmedia::fitIntoSquare(original, 90 * factor));
                larger.setDevicePixelRatio(factor);
                return larger;
            }};
}

QByteArray OwnWordSet::recording(int word) const
{
    return word < 0 || word >= usable.size() ? QByteArray() : usable.at(word).recording;
}

std::shared_ptr<const WordSource> OwnWordSet::refreshed() const
{
    if (folder.path.isEmpty())
        return nullptr;
    const ownset::Folder now = ownset::readFolder(folder.path, ownset::fitsWordLabel, &folder);
    if (!now.playable())
        return nullptr;
    const auto same = [](const ownset::Word &a, const ownset::Word &b) {
        return a.text == b.text && a.problem == b.problem && a.pictureFile == b.pictureFile
               && a.recordingFile == b.recordingFile && a.pictureStamp == b.pictureStamp
               && a.recordingStamp == b.recordingStamp;
    };
    const bool unchanged = now.name == folder.name && now.words.size() == folder.words.size()
                           && std::equal(now.words.begin(), now.words.end(), folder.words.begin(), same);
    return unchanged ? nullptr : std::make_shared<OwnWordSet>(now);
}
