// Word sets of one's own: a set made by hand plays, every kind of bad input
// gets its answer and loses nothing, a set survives export and import, and
// any sound file becomes what the game plays.
#include "forms/form2.h"
#include "catalogue/catalogue.h"
#include "ownsets/ownmedia.h"
#include "ownsets/ownwordset.h"
#include "ownsets/picturecache.h"
#include "ownsets/pictureloader.h"
#include "ownsets/setarchive.h"
#include "ownsets/setsondisk.h"
#include "ownsets/setwriter.h"
#include "support/fixeddraws.h"
#include "support/recordingplayer.h"
#include "ui/qttranslations.h"

#include <QBuffer>
#include <QDirIterator>
#include <QPainter>
#include <QStringEncoder>
#include <QtTest>

#include <archive.h>
#include <archive_entry.h>
#include <sndfile.h>

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

// Spoils a set "mine" of twelve words in `sets` and gives the answer.
using Case = std::function<QString(const QString &sets)>;
Q_DECLARE_METATYPE(Case)
// Does something to the folder "mine" (given with a '/' at the end).
using Change = std::function<void(const QString &mine)>;
Q_DECLARE_METATYPE(Change)

namespace {

const QStringList twelve{"apple", "banana", "cherry", "grape", "lemon", "mango",
                         "orange", "peach", "pear", "plum", "melon", "kiwi"};

const int wav16 = SF_FORMAT_WAV | SF_FORMAT_PCM_16;

QString media(const QString &sets, int word, const char *type)
{
    return sets + "/mine/" + ownsets::mediaName(word, type);
}

// A tone of `seconds` between `pad` seconds of silence.
void writeSound(const QString &path, int format, int rate, int channels, double seconds, double amplitude, double pad)
{
    SF_INFO info{0, rate, channels, format, 0, 0};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    std::vector<float> samples;
    for (int f = 0; f < int((seconds + 2 * pad) * rate) * channels; ++f) {
        const double t = double(f / channels) / rate;
        samples.push_back(float(t < pad || t > pad + seconds ? 0 : amplitude * std::sin(2 * M_PI * 440 * t)));
    }
    sf_writef_float(file, samples.data(), sf_count_t(samples.size()) / channels);
    sf_close(file);
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
}

QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every path and content under `folder`, to see that nothing changed.
QMap<QString, QByteArray> tree(const QString &folder)
{
    QMap<QString, QByteArray> all;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        all[it.next()] = read(it.filePath());
    return all;
}

// The header of a 20,000 x 20,000 grey PNG and the start of its data.
QByteArray hugePng()
{
    const auto chunk = [](const QByteArray &body) {
        quint32 crc = 0xffffffff;
        for (char c : body) {
            crc ^= quint8(c);
            for (int k = 0; k < 8; ++k)
                crc = (crc & 1) ? (crc >> 1) ^ 0xedb88320 : crc >> 1;
        }
        QByteArray length(4, 0), tail(4, 0);
        qToBigEndian(quint32(body.size() - 4), length.data());
        qToBigEndian(~crc, tail.data());
        return length + body + tail;
    };
    const QByteArray header = QByteArray::fromHex("49484452" "00004e20" "00004e20" "0800000000"); // 8-bit grey
    return "\x89PNG\r\n\x1a\n" + chunk(header) + chunk("IDAT" + qCompress(QByteArray(1 << 20, 0)).mid(4));
}

// A 400 x 300 JPEG, left half red and right half blue, whose orientation
// tag says to turn it a quarter clockwise: upright, red is on top.
QByteArray lyingPhoto()
{
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(Qt::blue);
    QPainter(&photo).fillRect(0, 0, 200, 300, Qt::red);
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    photo.save(&buffer, "JPG", 95);
    // APP1 "Exif": a big-endian TIFF header and one IFD entry, Orientation (0x0112) = 6.
    const QByteArray exif = QByteArray::fromHex("ffe10022" "457869660000" "4d4d002a00000008" "0001"
                                                "011200030000000100060000" "00000000");
    return jpeg.insert(2, exif);
}

struct Entry { QString path; mode_t type = AE_IFREG; QByteArray content; };
// Imports a zip of `entries` beside the set "mine": nothing may change.
QString refusedImport(const QString &sets, const QList<Entry> &entries)
{
    QByteArray bytes(16 << 20, 0);
    size_t used = 0;
    archive *a = archive_write_new();
    archive_write_set_format_zip(a);
    archive_write_open_memory(a, bytes.data(), size_t(bytes.size()), &used);
    for (const Entry &e : entries) {
        archive_entry *entry = archive_entry_new();
        archive_entry_set_pathname(entry, e.path.toUtf8().constData());
        archive_entry_set_filetype(entry, e.type == AE_IFCHR ? AE_IFREG : e.type);
        archive_entry_set_symlink(entry, e.type == AE_IFLNK ? "/etc/passwd" : nullptr);
        archive_entry_set_size(entry, e.content.size());
        archive_write_header(a, entry);
        archive_write_data(a, e.content.constData(), size_t(e.content.size()));
        archive_entry_free(entry);
    }
    archive_write_free(a);
    bytes.truncate(qsizetype(used));
    // Zip writers store no devices: the mode goes into the central directory by hand.
    for (qsizetype h = bytes.indexOf("PK\x01\x02"); h >= 0; h = bytes.indexOf("PK\x01\x02", h + 4))
        for (const Entry &e : entries)
            if (e.type == AE_IFCHR && bytes.mid(h + 46, e.path.size()) == e.path.toUtf8())
                qToLittleEndian(quint16(AE_IFCHR | 0644), bytes.data() + h + 40);
    write(sets + "/../in.wordnest", bytes);
    const QMap<QString, QByteArray> before = tree(sets + "/..");
    const QString problem = ownsets::unpackSet(sets + "/../in.wordnest", ownsets::fitsWordLabel, sets).problem;
    return tree(sets + "/..") == before ? problem : QStringLiteral("the import changed files");
}

// Word 1's problem while the eleven others play, else the set's; as a
// listing finds it (converting nothing) when `listed`.
QString problemOf(const QString &sets, bool listed = false)
{
    const QString mine = sets + "/mine";
    const ownsets::Folder set = listed ? ownsets::listFolder(mine, ownsets::fitsWordLabel)
                                       : ownsets::readFolder(mine, ownsets::fitsWordLabel);
    return set.playable() && set.usableWords() == 11 ? set.words.at(0).problem : set.whatIsWrong();
}

} // namespace

class OwnSetsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    QString sets;

private slots:
    void initTestCase()
    {
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME"})
            qputenv(name, QFile::encodeName(home.path() + '/' + name));
        QVERIFY(installQtTranslations(*QCoreApplication::instance())); // a set's problems in Chinese, as the game shows them
    }
    void init()
    {
        sets = home.path() + "/" + QTest::currentTestFunction() + "/" + QTest::currentDataTag() + "/sets";
        QDir().mkpath(sets + "/mine");
        write(sets + "/mine/words.txt", (twelve.join('\n') + '\n').toUtf8());
        for (int i = 0; i < twelve.size(); ++i) {
            QImage picture(300, 200, QImage::Format_RGB32);
            picture.fill(QColor::fromHsv(i * 30, 200, 220));
            picture.save(media(sets, i, "png"));
            writeSound(media(sets, i, "wav"), wav16, 44100, 2, 0.3 + 0.02 * i, 0.3, 0.3);
        }
    }

    void handMadeSetPlays()
    {
        WordSets all;
        QVERIFY(ownsets::addPlayableSets(all, ownsets::fitsWordLabel, sets).isEmpty());
        const WordSets::Set mine = all.find("mine");
        QVERIFY(mine);
        RecordingPlayer player;
        Form2 window(player);
        window.rules().chooseWordSet(mine);
        window.PicB_Click();
        // The word asked, its recording and the pictures come from the word's own files.
        const int asked = window.rules().picWord[size_t(window.rules().qOrder[size_t(window.rules().qNum)])];
        QCOMPARE(window.Label3->text(), twelve.at(asked));
        QCOMPARE(window.rules().wordWav, ownsets::convertRecording(read(media(sets, asked, "wav"))).wave);
        const QByteArray shown = read(media(sets, window.rules().picWord[0], "png"));
        QCOMPARE(window.LabelP(0)->pixmap().toImage(), ownsets::fitIntoSquare(ownsets::readPicture(shown).image, 90));
        // Its board is a file of its own in the data folder, wherever the program is.
        window.rules().GameOver();
        QVERIFY(QFileInfo::exists(home.path() + "/XDG_DATA_HOME/wordnest/kivora-mine.tmp"));
    }

    // Edits made while the set is chosen reach the next game; what did not
    // change is not decoded again.
    void nextGameReadsTheSetAgain()
    {
        WordSets all;
        ownsets::addPlayableSets(all, ownsets::fitsWordLabel, sets);
        RecordingPlayer player;
        Form2 window(player);
        // Words in their order: word 0 is asked first, box 2 shows word 2.
        std::vector<double> inOrder = FixedDraws::picking({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 12),
                            boxes = FixedDraws::picking({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 10);
        inOrder.insert(inOrder.end(), boxes.begin(), boxes.end());
        window.rules().setRandomSource(std::make_unique<FixedDraws>(inOrder));
        window.rules().chooseWordSet(all.find("mine"));
        window.PicB_Click();
        window.rules().GameOver();
        write(sets + "/mine/words.txt", ((QStringList{"avocado"} + twelve.mid(1)).join('\n') + '\n').toUtf8());
        writeSound(sets + "/new.wav", wav16, 22050, 1, 0.8, 0.5, 0.1);
        QVERIFY(QFile::remove(media(sets, 0, "wav")) && QFile::rename(sets + "/new.wav", media(sets, 0, "wav")));
        QImage green(30, 30, QImage::Format_RGB32);
        green.fill(Qt::green);
        QVERIFY(green.save(sets + "/mine/03.JPG") && QFile::remove(media(sets, 2, "png")));
        const int decoded = ownsets::picturesDecoded();
        window.PicB_Click();
        QCOMPARE(ownsets::picturesDecoded() - decoded, 1);
        QCOMPARE(window.Label3->text(), "avocado");
        QCOMPARE(window.rules().wordWav, ownsets::convertRecording(read(media(sets, 0, "wav"))).wave);
        const QColor shown = window.LabelP(2)->pixmap().toImage().pixelColor(45, 45);
        QVERIFY(shown.green() > 200 && shown.red() < 60);
        // Nothing changed since: nothing is read again.
        window.rules().GameOver();
        window.PicB_Click();
        QCOMPARE(ownsets::picturesDecoded() - decoded, 1);
    }

    // A picture is decoded once; what changed, or a lost or damaged copy,
    // is decoded again. A listing decodes nothing, yet knows a failed decode.
    void picturesAreDecodedOnce_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("original");
        QTest::addColumn<Change>("change");
        QTest::addColumn<int>("decodes");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<QSize>("size");
        const Change none = [](const QString &) {};
        const auto dropCache = [](const QString &) { QDir(ownsets::pictureCacheFolder()).removeRecursively(); };
        const QSize stored(270, 180);
        QTest::newRow("nothing changed") << "01.png" << QByteArray() << none << 0 << "" << stored;
        QTest::newRow("original replaced") << "01.png" << QByteArray() << Change([](const QString &mine) {
            QImage tall(200, 300, QImage::Format_RGB32);
            tall.fill(Qt::gray);
            tall.save(mine + "01.png");
        }) << 1 << "" << QSize(180, 270);
        QTest::newRow("original touched") << "01.png" << QByteArray() << Change([](const QString &mine) {
            QFile file(mine + "01.png");
            file.open(QIODevice::ReadWrite);
            file.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime);
        }) << 1 << "" << stored;
        QTest::newRow("original renamed") << "01.PNG" << QByteArray()
                                          << Change([](const QString &m) { QFile::rename(m + "01.png", m + "01.PNG"); })
                                          << 1 << "" << stored;
        QTest::newRow("cache deleted") << "01.png" << QByteArray() << Change(dropCache) << 12 << "" << stored;
        QTest::newRow("entries damaged") << "01.png" << QByteArray() << Change([](const QString &) {
            for (const QFileInfo &entry : QDir(ownsets::pictureCacheFolder()).entryInfoList(QDir::Files))
                QFile(entry.filePath()).resize(entry.size() / 2);
        }) << 12 << "" << stored;
        QTest::newRow("cut-off original") << "01.png" << read(":/pictures/101@2x.png").chopped(40) << none << 0
                                          << "01.png 打不开" << QSize(0, 0);
        QTest::newRow("portrait photo") << "01.jpg" << lyingPhoto() << none << 0 << "" << QSize(202, 270);
    }
    void picturesAreDecodedOnce()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, original);
        QFETCH(Change, change);
        QFETCH(int, decodes);
        QFETCH(QString, problem);
        QFETCH(QSize, size);
        const QString mine = sets + "/mine/";
        if (!original.isEmpty()) {
            QFile::remove(mine + "01.png");
            write(mine + name, original);
        }
        ownsets::readFolder(sets + "/mine", ownsets::fitsWordLabel);
        change(mine);
        const int before = ownsets::picturesDecoded();
        const ownsets::Folder listed = ownsets::listFolder(sets + "/mine", ownsets::fitsWordLabel);
        QCOMPARE(ownsets::picturesDecoded(), before);
        const ownsets::Folder set = ownsets::readFolder(sets + "/mine", ownsets::fitsWordLabel);
        QCOMPARE(ownsets::picturesDecoded() - before, decodes);
        QVERIFY2(set.words[0].problem.contains(problem) && listed.words[0].problem == set.words[0].problem,
                 qPrintable(listed.words[0].problem + " / " + set.words[0].problem));
        const QImage picture = set.words[0].picture;
        QCOMPARE(picture.size(), size);
        if (name.endsWith("jpg")) // stood upright: what lay on the left is on top
            QVERIFY(qRed(picture.pixel(101, 20)) > 200 && qBlue(picture.pixel(101, 250)) > 200);
        // The corner has it loaded off its thread and handed over by signal.
        QSignalSpy loaded(&PictureLoader::shared(), &PictureLoader::loaded);
        PictureLoader::shared().load(sets + "/mine", name);
        QTRY_COMPARE(loaded.size(), 1);
        QCOMPARE(loaded.at(0).at(2).value<QImage>(), picture);
    }

    // Past its bound the cache drops its oldest entries first.
    void fullCacheLosesItsOldestEntries()
    {
        const QString mine = sets + "/mine";
        QDir(ownsets::pictureCacheFolder()).removeRecursively();
        ownsets::readFolder(mine, ownsets::fitsWordLabel);
        const auto entries = [] {
            return QDir(ownsets::pictureCacheFolder()).entryInfoList(QDir::Files, QDir::Time | QDir::Reversed);
        };
        QCOMPARE(entries().size(), 12);
        qint64 total = 0;
        for (const QFileInfo &entry : entries())
            total += entry.size();
        ownsets::setPictureCacheLimit(total / 2);
        QFile::remove(mine + "/01.png");
        QImage other(300, 200, QImage::Format_RGB32);
        other.fill(Qt::darkCyan);
        QVERIFY(other.save(mine + "/01.png"));
        const int before = ownsets::picturesDecoded();
        ownsets::cachedPicture(mine, "01.png"); // stored, and then the oldest go
        ownsets::setPictureCacheLimit(200 << 20);
        qint64 left = 0;
        for (const QFileInfo &entry : entries())
            left += entry.size();
        QVERIFY2(left <= total / 2 && entries().size() < 12, qPrintable(QString::number(left)));
        // 01's new picture, the newest entry, stayed; 02's, the oldest, went.
        ownsets::cachedPicture(mine, "01.png");
        QCOMPARE(ownsets::picturesDecoded() - before, 1);
        ownsets::cachedPicture(mine, "02.png");
        QCOMPARE(ownsets::picturesDecoded() - before, 2);
    }

    void badInputIsAnsweredAndLosesNothing_data()
    {
        QTest::addColumn<Case>("bad");
        QTest::addColumn<QString>("answer");
        const auto row = [](const char *name, Case bad, QString answer) { QTest::newRow(name) << bad << answer; };
        const auto spoil = [](std::function<void(const QString &mine)> how, bool listed = false) {
            return Case([=](const QString &sets) {
                how(sets + "/mine/");
                return problemOf(sets, listed);
            });
        };
        const auto file = [=](const char *name, QByteArray bytes) {
            return spoil([=](const QString &mine) { write(mine + name, bytes); });
        };
        row("picture of junk", file("01.png", "not a picture"), "01.png 不是 PNG、JPEG 或 BMP");
        row("empty picture", file("01.png", ""), "01.png 是空的");
        row("huge picture", file("01.png", hugePng()), "01.png 太大（20000 x 20000");
        row("cut-off picture", file("01.png", read(":/pictures/101@2x.png").chopped(40)), "01.png 打不开");
        row("recording of junk", file("01.wav", "RIFF junk"), "01.wav 不是游戏能读的声音文件");
        row("empty recording", file("01.wav", ""), "01.wav 是空的");
        row("11 s of speech", spoil([](const QString &m) { writeSound(m + "01.wav", wav16, 8000, 1, 11, .3, 1); }),
            "01.wav 里的词太长：去掉前后的静音还有 11.0 秒");
        // Refused from the header alone: the file holds one second.
        const auto promise61 = [](const QString &m) {
            QFile::remove(m + "01.wav");
            writeSound(m + "01.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 8000, 1, 1, .3, 0);
            QByteArray flac = read(m + "01.flac");
            qToBigEndian<quint32>(61 * 8000, flac.data() + 22); // STREAMINFO's sample count, low bits
            write(m + "01.flac", flac);
        };
        row("header promising 61 s", spoil(promise61), "01.flac 超过 60 秒");
        // A listing reads each recording's header, and what a game's loading found.
        row("listed: header promising 61 s", spoil(promise61, true), "录音 01.flac 超过 60 秒");
        row("listed: text named 01.wav", spoil([](const QString &m) { write(m + "01.wav", "one\n"); }, true),
            "录音 01.wav 不是游戏能读的声音文件");
        const auto loaded = [](std::function<void(const QString &mine)> how) {
            return Case([=](const QString &sets) {
                how(sets + "/mine/");
                WordSets all;
                ownsets::addPlayableSets(all, ownsets::fitsWordLabel, sets);
                WordSets::Set chosen = all.find("mine") ? all.find("mine") : all.standard();
                const WordSets::Set played = WordSets::forNewGame(chosen);
                return QString("plays %1 of %2, %3 chosen: %4")
                    .arg(played->words().size()).arg(played->id(), chosen->id(), problemOf(sets, true));
            });
        };
        row("listed set of silent words", loaded([](const QString &m) {
                for (const char *name : {"01.wav", "02.wav", "03.wav"}) writeSound(m + name, wav16, 22050, 1, 1, 0, 0);
            }), "plays 20 of 1, mine chosen: 只有 9 个词能用");
        row("listed set with one long word", loaded([](const QString &m) { writeSound(m + "01.wav", wav16, 8000, 1, 11, .3, 1); }),
            "plays 11 of mine, mine chosen: 录音 01.wav 里的词太长");
        const auto memo = [=](const char *name, QByteArray bytes, bool listed = false) {
            return spoil([=](const QString &m) {
                QFile::remove(m + "01.wav");
                write(m + name, bytes);
            }, listed);
        };
        const QByteArray voiceMemo = QByteArray("\0\0\0\x1c" "ftypM4A ", 12) + QByteArray(40, 0);
        row("voice memo renamed .wav", memo("01.wav", voiceMemo),
            "录音 01.wav 是手机的 M4A（AAC）录音，游戏读不了：请先把它另存为 WAV、FLAC、Ogg 或 MP3");
        row("listed: voice memo renamed .wav", memo("01.wav", voiceMemo, true), "录音 01.wav 是手机的 M4A");
        row("voice memo by its ending", memo("01.M4A", "junk"), "录音 01.M4A 是手机的 M4A");
        row("pipe for a recording", spoil([](const QString &mine) {
                QFile::remove(mine + "01.wav");
                mkfifo(QFile::encodeName(mine + "01.wav").constData(), 0600);
            }), "01.wav 不是普通文件");
        row("picture linked from elsewhere", spoil([](const QString &mine) {
                QFile::remove(mine + "01.png");
                QFile::link(mine + "02.png", mine + "01.png");
            }), "01.png 是链接");
        row("words.txt linked from elsewhere", spoil([](const QString &mine) {
                QFile::rename(mine + "words.txt", mine + "../list.txt");
                QFile::link(mine + "../list.txt", mine + "words.txt");
            }), "words.txt 是链接");
        row("pipe for words.txt", spoil([](const QString &mine) {
                QFile::remove(mine + "words.txt");
                mkfifo(QFile::encodeName(mine + "words.txt").constData(), 0600);
            }), "words.txt 不是普通文件");
        row("recording linked to /dev/zero", spoil([](const QString &mine) {
                QFile::remove(mine + "01.wav");
                QFile::link("/dev/zero", mine + "01.wav");
            }), "01.wav 是链接");
        row("recording of 33 MB", spoil([](const QString &mine) { QFile(mine + "01.wav").resize(33 << 20); }),
            "01.wav 太大（超过 32 MB）");
        row("words.txt of 65 KB", file("words.txt", QByteArray(65 << 10, 'w')), "words.txt 太大（超过 64 KB）");
        row("01.png and 01.JPG", spoil([](const QString &mine) { QFile::copy(mine + "01.png", mine + "01.JPG"); }),
            "有 2 张图片（01.JPG、01.png）");
        row("set folder is a link", spoil([](const QString &mine) {
                const QString elsewhere = QDir::cleanPath(mine + "../../elsewhere");
                QDir().rename(mine, elsewhere);
                QFile::link(elsewhere, mine.chopped(1));
            }), "文件夹是链接");

        const QByteArray ten = twelve.mid(0, 10).join('\n').toUtf8() + '\n';
        row("nine words", file("words.txt", twelve.mid(0, 9).join('\n').toUtf8()), "有 9 个词，一组至少要");
        row("21 words", file("words.txt", ten + ten.toUpper() + "x\n"), "有 21 个词，一组最多");
        row("blank line", file("words.txt", "a\nb\n \n" + ten), "第 3 行是空行");
        row("same word twice", file("words.txt", ten + "Cherry\n"), "第 11 行和第 3 行重复（“Cherry”）");
        row("10,000 characters", file("words.txt", ten + QByteArray(10000, 'w')), "第 11 行太长");
        row("Latin-1", file("words.txt", "owl\ncaf\xe9\n" + ten), "既不是 UTF-8 也不是 GBK");
        row("too wide", file("words.txt", ten + "hippopotamus and crocodile\n"), "第 11 行（“hippopotamus");

        const auto zip = [](QList<Entry> e) { return Case([=](const QString &s) { return refusedImport(s, e); }); };
        const Entry list{"new/words.txt", AE_IFREG, ten};
        row("zip with ../", zip({list, {"new/../../escaped"}}), "词语组文件夹以外的路径");
        row("zip with /path", zip({{"/tmp/new/words.txt", AE_IFREG, ten}}), "以外的路径");
        row("zip with a link", zip({list, {"new/01.png", AE_IFLNK}}), "链接或特殊文件（new/01.png）");
        row("zip with a device", zip({list, {"new/01.wav", AE_IFCHR}}), "链接或特殊文件（new/01.wav）");
        const QByteArray mb26(26 << 20, 0);
        row("zip of 104 MB", zip({list, {"new/01.wav", AE_IFREG, mb26}, {"new/02.wav", AE_IFREG, mb26},
                                  {"new/03.wav", AE_IFREG, mb26}, {"new/04.wav", AE_IFREG, mb26}}), "超过 100 MB");
        row("zip of a 33 MB recording", zip({list, {"new/01.WAV", AE_IFREG, QByteArray(33 << 20, 0)}}),
            "new/01.WAV 太大");

        // Files a set may hold, as other programs write them: every word plays.
        const auto plays = [](std::function<void(const QString &mine)> how) {
            return Case([=](const QString &sets) {
                how(sets + "/mine/");
                const ownsets::Folder set = ownsets::readFolder(sets + "/mine", ownsets::fitsWordLabel);
                return set.usableWords() == 12 ? set.words.at(0).text : set.whatIsWrong();
            });
        };
        const auto list12 = [](const QString &first, const char *end) {
            return (QStringList{first} + twelve.mid(1)).join(end) + end;
        };
        row("01.PNG, 02.Jpeg and 01.WAV", plays([](const QString &mine) {
                QFile::rename(mine + "01.png", mine + "01.PNG");
                QImage(mine + "02.png").save(mine + "02.Jpeg", "JPEG") && QFile::remove(mine + "02.png");
                QFile::rename(mine + "01.wav", mine + "01.WAV");
            }), "apple");
        row("01.MP3", plays([](const QString &m) {
                QFile::remove(m + "01.wav");
                writeSound(m + "01.MP3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 44100, 1, .5, .3, .2);
            }), "apple");
        row("a word left out, named", Case([](const QString &sets) {
                QFile::remove(media(sets, 11, "png"));
                const auto left = OwnWordSet(ownsets::readFolder(sets + "/mine", ownsets::fitsWordLabel)).leftOut();
                return left.size() == 1 ? left[0].word + "：" + left[0].why : QString("%1 left out").arg(left.size());
            }), "kiwi：没有图片 12.png、12.jpg 或 12.bmp");
        row("byte-order mark and CR LF", plays([=](const QString &mine) {
                write(mine + "words.txt", "\xEF\xBB\xBF" + list12("apple", "\r\n").toUtf8());
            }), "apple");
        row("GBK", plays([=](const QString &mine) {
                QStringEncoder gbk("GBK");
                write(mine + "words.txt", gbk.encode(list12("苹果", "\r\n")));
            }), "苹果");
        row("zip of 201 entries", zip(QList<Entry>(200, {"new/", AE_IFDIR}) << list), "超过 200 项");
        row("zip of a set that exists", zip({{"mine/words.txt", AE_IFREG, ten}}), "已经有词语组“mine”");
    }
    void badInputIsAnsweredAndLosesNothing()
    {
        QFETCH(Case, bad);
        QFETCH(QString, answer);
        const QString problem = bad(sets);
        QVERIFY2(problem.contains(answer), qPrintable(problem));
    }

    void exportThenImportGivesTheSameSet()
    {
        write(sets + "/mine/set.ini", "[set]\nname=我的水果\n");
        const ownsets::Folder before = ownsets::readFolder(sets + "/mine", ownsets::fitsWordLabel);
        const QString file = sets + "/../mine.wordnest";
        QCOMPARE(ownsets::exportSet("mine", file, ownsets::fitsWordLabel, sets), QString());
        QVERIFY(ownsets::exportSet("mine", file, ownsets::fitsWordLabel, sets).contains("已经存在，没有覆盖"));
        // Replacing never leaves the place empty: the old file is renamed over, not deleted first.
        write(file, "an old export");
        const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        QVERIFY(watch >= 0 && inotify_add_watch(watch, QFile::encodeName(sets + "/..").constData(), IN_DELETE) >= 0);
        QCOMPARE(ownsets::exportSet("mine", file, ownsets::fitsWordLabel, sets, ownsets::Existing::Replace),
                 QString());
        char events[4096];
        const ssize_t deleted = read(watch, events, sizeof events);
        close(watch);
        QCOMPARE(deleted, ssize_t(-1));
        QVERIFY(QDir(sets + "/mine").removeRecursively());
        QCOMPARE(ownsets::unpackSet(file, ownsets::fitsWordLabel, sets).problem, QString());
        const ownsets::Folder after = ownsets::readFolder(sets + "/mine", ownsets::fitsWordLabel);
        QCOMPARE(after.name, QStringLiteral("我的水果"));
        QCOMPARE(after.words.size(), twelve.size());
        for (int i = 0; i < twelve.size(); ++i)
            QVERIFY(after.words[i].text == before.words[i].text && after.words[i].picture == before.words[i].picture
                    && after.words[i].recording == before.words[i].recording);
        QCOMPARE(QDir(sets).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"mine"});
    }

    // What the set editor saves: a photo kept at the size the game draws,
    // the words and the name; a file that fails to store leaves the old one.
    void editorSavesWhatTheGameReads()
    {
        const QString mine = sets + "/mine";
        QImage photo(3000, 2000, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        QVERIFY(photo.save(sets + "/photo.jpg"));
        write(mine + "/01.bmp", "an older picture");
        write(mine + "/01.PNG", "an older picture");
        // A chosen file may lie in a folder that is a link; a pipe is refused, not waited on.
        QVERIFY(QFile::link(sets, sets + "/../linked"));
        QCOMPARE(ownsets::storePicture(mine, 0, sets + "/../linked/photo.jpg"), QString());
        QVERIFY(mkfifo(QFile::encodeName(sets + "/pipe.wav").constData(), 0600) == 0);
        QVERIFY(ownsets::storeRecording(mine, 1, sets + "/pipe.wav").contains("pipe.wav 不是普通文件"));
        QCOMPARE(ownsets::writeWordList(mine, twelve.mid(1) << "fig"), QString());
        QCOMPARE(ownsets::writeSetName(mine, "水果\nand more"), QString());
        const QByteArray second = read(media(sets, 1, "png"));
        QVERIFY(ownsets::storePicture(mine, 1, mine + "/words.txt").contains("words.txt 不是 PNG"));
        QCOMPARE(read(media(sets, 1, "png")), second);
        const ownsets::Folder set = ownsets::readFolder(mine, ownsets::fitsWordLabel);
        QCOMPARE(set.name, QStringLiteral("水果 and more"));
        QCOMPARE(set.words.last().text, QStringLiteral("fig"));
        QCOMPARE(set.words.first().picture.size(), QSize(270, 180));
        QVERIFY(!QFileInfo::exists(mine + "/01.bmp") && !QFileInfo::exists(mine + "/01.PNG") && set.playable());
    }

    // Every format this libsndfile reads, named as phones and cameras do.
    void soundFilesBecomeTheGamesFormat_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<double>("amplitude");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("silence"); // on each side
        const auto row = [](const char *tag, const char *name, int format, int rate, int channels, double amplitude,
                            double seconds = 1, double silence = 0.5) {
            QTest::newRow(tag) << name << format << rate << channels << amplitude << seconds << silence;
        };
        row("quiet stereo WAV", "VOICE.WAV", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 2, 0.03);
        row("loud FLAC", "word.Flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 48000, 1, 0.95);
        row("Ogg at 16 kHz", "word.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 16000, 1, 0.3);
        row("Ogg as .oga", "word.OGA", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 22050, 2, 0.3);
        row("Opus", "word.opus", SF_FORMAT_OGG | SF_FORMAT_OPUS, 48000, 1, 0.3);
        row("MP3", "word.Mp3", SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 44100, 2, 0.3);
        row("AIFF at 96 kHz", "word.aif", SF_FORMAT_AIFF | SF_FORMAT_PCM_24, 96000, 1, 0.3);
        row("12.7 s holding 0.6 s of speech", "long.aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 8000, 1, 0.3, .6, 6.05);
    }
    void soundFilesBecomeTheGamesFormat()
    {
        QFETCH(QString, name);
        QFETCH(int, format);
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(double, amplitude);
        QFETCH(double, seconds);
        QFETCH(double, silence);
        writeSound(sets + "/" + name, format, rate, channels, seconds, amplitude, silence);
        // The sound file dialog's filter shows it, whatever the case of its ending.
        const QStringList patterns = ownsets::anyCasePatterns(ownsets::recordingEndings());
        QCOMPARE(QDir(sets).entryList(patterns, QDir::Files | QDir::CaseSensitive), QStringList{name});
        QCOMPARE(ownsets::storeRecording(sets + "/mine", 0, sets + "/" + name), QString());
        const QByteArray wav = read(media(sets, 0, "wav"));
        // RIFF PCM, mono, 22050 Hz, 16-bit.
        QCOMPARE(wav.mid(20, 16), QByteArray::fromHex("010001002256000044ac000002001000"));
        QVector<qint16> samples((wav.size() - 44) / 2);
        qFromLittleEndian<qint16>(wav.constData() + 44, samples.size(), samples.data());
        const auto sounding = [](qint16 v) { return std::abs(v) > 3 * 256; };
        const qsizetype before = std::find_if(samples.begin(), samples.end(), sounding) - samples.begin();
        const qsizetype after = std::find_if(samples.rbegin(), samples.rend(), sounding) - samples.rbegin();
        // The half seconds of silence trimmed to the game's 50 ms before and 30 ms after.
        QVERIFY2(before >= 1000 && before <= 1500 && after >= 600 && after <= 1200,
                 qPrintable(QStringLiteral("%1 %2").arg(before).arg(after)));
        QVERIFY(std::abs(ownsets::activeLoudness(wav.mid(44), 16) - ownsets::wordLoudnessDb) <= 1.0);
        // Stored, it is not converted again; nor is an 8-bit one stored before.
        QCOMPARE(ownsets::convertRecording(wav).wave, wav);
        const QByteArray eightBit = catalogue::loadData(catalogue::wordMedia(0), "WAV");
        QCOMPARE(ownsets::convertRecording(eightBit).wave, eightBit);
    }
};

QTEST_MAIN(OwnSetsTest)
#include "tst_ownsets.moc"
