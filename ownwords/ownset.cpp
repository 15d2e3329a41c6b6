#include "ownwords/ownset.h"

#include "ownwords/ownmedia.h"
#include "ownwords/rowjournal.h"
#include "ui/songfont.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

#include <algorithm>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ownset {

namespace {

constexpr qint64 maxListBytes = 64 * 1024;
constexpr qint64 maxSettingsBytes = 64 * 1024;
constexpr qint64 maxPictureBytes = 200 * 1024 * 1024;
constexpr qint64 maxRecordingBytes = 64 * 1024 * 1024;
constexpr int maxNameCharacters = 60;
// The word label's width in the game.
constexpr double wordLabelWidth = 105;

const char *const pictureTypes[] = {"png", "jpg", "jpeg", "bmp"};
const char *const recordingTypes[] = {"wav", "flac", "ogg"};

// Opens `path` for reading only when it is a regular file and not a link:
// a set folder is never a way to read files elsewhere, and a pipe in it
// never stalls the game. Empty on success, else the problem.
QString openRegular(const QString &path, QFile &file, qint64 maxBytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ELOOP ? QStringLiteral("是链接，游戏不会打开")
                              : QStringLiteral("读不了");
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return QStringLiteral("不是普通文件");
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        return QStringLiteral("太大");
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return QStringLiteral("读不了");
    }
    return {};
}

// The word's file of one of `types`, "NN.<type>"; empty where there is none.
template<size_t N>
QString mediaFile(const QString &folder, int word, const char *const (&types)[N])
{
    for (const char *type : types) {
        const QString path = QStringLiteral("%1/%2.%3").arg(folder).arg(word + 1, 2, 10, QChar(u'0')).arg(type);
        const QFileInfo info(path);
        if (info.exists() || info.isSymLink())
            return path;
    }
    return {};
}

QString readPictureFile(const QString &path, QImage &image)
{
    QFile file;
    if (QString problem = openRegular(path, file, maxPictureBytes); !problem.isEmpty())
        return problem;
    ownmedia::Picture picture = ownmedia::readPicture(file);
    image = picture.image;
    return picture.problem;
}

QString readRecordingFile(const QString &path, QByteArray &wave)
{
    QFile file;
    if (QString problem = openRegular(path, file, maxRecordingBytes); !problem.isEmpty())
        return problem;
    ownmedia::Recording recording = ownmedia::convertRecording(file.readAll());
    wave = recording.wave;
    return recording.problem;
}

QString save(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size() || !file.commit())
        return QStringLiteral("无法保存 %1：%2").arg(QFileInfo(path).fileName(), file.errorString());
    return {};
}

// Removes word `word`'s files of `types` but `keep`.
template<size_t N>
void removeOthers(const QString &folder, int word, const char *const (&types)[N], const QString &keep)
{
    for (const char *type : types) {
        const QString path = QStringLiteral("%1/%2.%3").arg(folder).arg(word + 1, 2, 10, QChar(u'0')).arg(type);
        if (path != keep)
            QFile::remove(path);
    }
}

qsizetype indexIgnoringCase(const QStringList &list, const QString &word)
{
    for (qsizetype i = 0; i < list.size(); ++i)
        if (list.at(i).compare(word, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString mediaName(int word, const char *type)
{
    return QStringLiteral("%1.%2").arg(word + 1, 2, 10, QChar(u'0')).arg(type);
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
    if (bytes.size() > maxListBytes)
        return {{}, QStringLiteral("words.txt 太大（超过 64 KB）")};
    QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    QList<QByteArray> lines = text.split('\n');
    if (lines.size() > 1 && lines.constLast().isEmpty())
        lines.removeLast();
    if (text.isEmpty())
        lines.clear();
    QStringList problems;
    for (int i = 0; i < lines.size(); ++i) {
        const int line = i + 1;
        QByteArray raw = lines.at(i);
        if (raw.endsWith('\r'))
            raw.chop(1);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString word = QString(utf8.decode(raw)).trimmed();
        if (utf8.hasError())
            problems << QStringLiteral("第 %1 行不是 UTF-8 文字").arg(line);
        else if (word.isEmpty())
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

Folder readFolder(const QString &path, const FitsLabel &fits)
{
    Folder set;
    const QFileInfo folder(path);
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

    QFile settings;
    if (openRegular(path + QStringLiteral("/set.ini"), settings, maxSettingsBytes).isEmpty())
        if (const QString name = parseSetName(settings.readAll()); !name.isEmpty())
            set.name = name;

    QFile listFile;
    if (const QString problem = openRegular(path + QStringLiteral("/words.txt"), listFile, maxListBytes);
        !problem.isEmpty()) {
        set.problem = QFileInfo::exists(path + QStringLiteral("/words.txt")) || problem.contains(QStringLiteral("链接"))
                          ? QStringLiteral("words.txt ") + problem
                          : QStringLiteral("词语组里没有 words.txt");
        return set;
    }
    const WordList list = parseWordList(listFile.readAll(), fits);
    for (const QString &text : list.words)
        set.words.append(Word{text, {}, {}, {}});
    set.problem = list.problem;
    if (!set.problem.isEmpty())
        return set;

    for (int i = 0; i < set.words.size(); ++i) {
        Word &word = set.words[i];
        QStringList problems;
        if (const QString picture = mediaFile(path, i, pictureTypes); picture.isEmpty())
            problems << QStringLiteral("没有图片 %1").arg(mediaName(i, "png"));
        else if (const QString problem = readPictureFile(picture, word.picture); !problem.isEmpty())
            problems << QStringLiteral("图片 %1 %2").arg(QFileInfo(picture).fileName(), problem);
        if (const QString recording = mediaFile(path, i, recordingTypes); recording.isEmpty())
            problems << QStringLiteral("没有录音 %1").arg(mediaName(i, "wav"));
        else if (const QString problem = readRecordingFile(recording, word.recording); !problem.isEmpty())
            problems << QStringLiteral("录音 %1 %2").arg(QFileInfo(recording).fileName(), problem);
        word.problem = problems.join(QStringLiteral("，"));
        if (!word.problem.isEmpty()) {
            word.picture = {};
            word.recording = {};
        }
    }
    return set;
}

QString writeWordList(const QString &folder, const QStringList &words)
{
    return save(folder + QStringLiteral("/words.txt"), (words.join(u'\n') + u'\n').toUtf8());
}

QString writeSetName(const QString &folder, const QString &name)
{
    QString oneLine = name.simplified();
    oneLine.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    return save(folder + QStringLiteral("/set.ini"), (QStringLiteral("[set]\nname=") + oneLine + u'\n').toUtf8());
}

QString storePicture(const QString &folder, int word, const QString &source)
{
    QFile file(source);
    if (!QFileInfo(source).isFile() || !file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1 读不了").arg(QFileInfo(source).fileName());
    const ownmedia::Picture picture = ownmedia::readPicture(file);
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
    const QString target = QStringLiteral("%1/%2").arg(folder, mediaName(word, "png"));
    if (QString problem = save(target, png); !problem.isEmpty())
        return problem;
    removeOthers(folder, word, pictureTypes, target);
    return {};
}

QString storeRecording(const QString &folder, int word, const QString &source)
{
    QFile file(source);
    if (!QFileInfo(source).isFile() || !file.open(QIODevice::ReadOnly) || file.size() > maxRecordingBytes)
        return QStringLiteral("%1 读不了").arg(QFileInfo(source).fileName());
    return storeRecordingBytes(folder, word, file.readAll(), QFileInfo(source).fileName());
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
    const QString target = QStringLiteral("%1/%2").arg(folder, mediaName(word, "wav"));
    if (QString problem = save(target, wave); !problem.isEmpty())
        return problem;
    removeOthers(folder, word, recordingTypes, target);
    return {};
}

} // namespace ownset

OwnWordSet::OwnWordSet(const ownset::Folder &folder)
    : setId(folder.id)
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
