// Word sets of one's own: a set made by hand plays, every kind of bad input
// gets its answer and loses nothing, a set survives export and import, and
// any sound file becomes what the game plays.
#include "app/form2.h"
#include "ownwords/ownmedia.h"
#include "ownwords/ownsets.h"
#include "ownwords/setarchive.h"
#include "support/recordingplayer.h"

#include <QDirIterator>
#include <QtTest>

#include <archive.h>
#include <archive_entry.h>
#include <sndfile.h>

#include <cmath>
#include <sys/stat.h>

using Case = std::function<QString(const QString &sets)>;
Q_DECLARE_METATYPE(Case)

namespace {

const QStringList twelve{"apple", "banana", "cherry", "grape", "lemon", "mango",
                         "orange", "peach", "pear", "plum", "melon", "kiwi"};

// `seconds` of a tone between `pad` seconds of silence, written by libsndfile.
void writeSound(const QString &path, int format, int rate, int channels, double seconds, double amplitude,
                double pad = 0.3)
{
    SF_INFO info{0, rate, channels, format, 0, 0};
    SNDFILE *file = sf_open(QFile::encodeName(path).constData(), SFM_WRITE, &info);
    QVERIFY2(file, sf_strerror(nullptr));
    const int frames = int((seconds + 2 * pad) * rate);
    std::vector<float> samples;
    for (int f = 0; f < frames; ++f)
        for (int c = 0; c < channels; ++c) {
            const double t = double(f) / rate;
            samples.push_back(float(t < pad || t > pad + seconds ? 0 : amplitude * std::sin(2 * M_PI * 440 * t)));
        }
    sf_writef_float(file, samples.data(), frames);
    sf_close(file);
}

void makeSet(const QString &folder, const QStringList &words)
{
    QDir().mkpath(folder);
    QFile list(folder + "/words.txt");
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write((words.join('\n') + '\n').toUtf8());
    for (int i = 0; i < words.size(); ++i) {
        QImage picture(300, 200, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(i * 30, 200, 220));
        picture.save(QStringLiteral("%1/%2.png").arg(folder).arg(i + 1, 2, 10, QChar('0')));
        writeSound(QStringLiteral("%1/%2.wav").arg(folder).arg(i + 1, 2, 10, QChar('0')), SF_FORMAT_WAV | SF_FORMAT_PCM_16,
                   44100, 2, 0.3 + 0.02 * i, 0.3);
    }
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Every path and content under `folder`, to see that nothing changed.
QMap<QString, QByteArray> tree(const QString &folder)
{
    QMap<QString, QByteArray> all;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        all[it.filePath()] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    return all;
}

// A PNG header of a 20,000 x 20,000 picture with the start of its data.
QByteArray hugePng()
{
    const auto chunk = [](const QByteArray &type, const QByteArray &data) {
        QByteArray out(4, 0);
        qToBigEndian(quint32(data.size()), out.data());
        const QByteArray body = type + data;
        quint32 crc = 0xffffffff;
        for (char c : body) {
            crc ^= quint8(c);
            for (int k = 0; k < 8; ++k)
                crc = (crc & 1) ? (crc >> 1) ^ 0xedb88320 : crc >> 1;
        }
        QByteArray tail(4, 0);
        qToBigEndian(crc ^ 0xffffffff, tail.data());
        return out + body + tail;
    };
    QByteArray header(13, 0);
    qToBigEndian(quint32(20000), header.data());
    qToBigEndian(quint32(20000), header.data() + 4);
    header[8] = 8; // 8-bit grey
    return "\x89PNG\r\n\x1a\n" + chunk("IHDR", header) + chunk("IDAT", qCompress(QByteArray(2000000, 0)).mid(4));
}

// The first half of a noisy picture's PNG: its header reads, its data does not.
QByteArray cutPng()
{
    QImage noise(100, 100, QImage::Format_RGB32);
    for (int i = 0; i < 100 * 100; ++i)
        noise.setPixel(i % 100, i / 100, quint32(i * 2654435761u));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    noise.save(&buffer, "PNG");
    return png.left(png.size() / 2);
}

struct Entry
{
    QString path;
    mode_t type = AE_IFREG;
    QByteArray content;
};
QByteArray zip(const QList<Entry> &entries)
{
    QByteArray bytes(16 * 1024 * 1024, 0);
    size_t used = 0;
    archive *a = archive_write_new();
    archive_write_set_format_zip(a);
    archive_write_open_memory(a, bytes.data(), size_t(bytes.size()), &used);
    for (const Entry &e : entries) {
        archive_entry *entry = archive_entry_new();
        archive_entry_set_pathname(entry, e.path.toUtf8().constData());
        archive_entry_set_filetype(entry, e.type == AE_IFCHR ? AE_IFREG : e.type);
        archive_entry_set_perm(entry, 0644);
        if (e.type == AE_IFLNK)
            archive_entry_set_symlink(entry, "/etc/passwd");
        archive_entry_set_size(entry, e.content.size());
        archive_write_header(a, entry);
        archive_write_data(a, e.content.constData(), size_t(e.content.size()));
        archive_entry_free(entry);
    }
    archive_write_close(a);
    archive_write_free(a);
    bytes.truncate(qsizetype(used));
    // Zip writers store only files, folders and links: a device's mode goes
    // into the central directory's external attributes by hand.
    for (const Entry &e : entries) {
        for (qsizetype h = bytes.indexOf("PK\x01\x02"); e.type == AE_IFCHR && h >= 0; h = bytes.indexOf("PK\x01\x02", h + 4))
            if (bytes.mid(h + 46, e.path.size()) == e.path.toUtf8())
                qToLittleEndian(quint16(AE_IFCHR | 0644), bytes.data() + h + 40);
    }
    return bytes;
}

// Imports `entries` beside a set "mine"; nothing may change in or beside the sets.
QString refusedImport(const QString &sets, const QList<Entry> &entries)
{
    const QString file = sets + "/../in.wordnest";
    write(file, zip(entries));
    const QString root = QFileInfo(sets).absolutePath();
    const QMap<QString, QByteArray> before = tree(root);
    const setarchive::Imported imported = setarchive::importSet(file, ownset::fitsWordLabel, sets);
    if (tree(root) != before)
        return QStringLiteral("the import changed files");
    return imported.problem;
}

QString wordProblem(const QString &sets)
{
    const ownset::Folder set = ownset::readFolder(sets + "/mine", ownset::fitsWordLabel);
    return set.usableWords() == 11 && set.playable() ? set.words.at(0).problem : "not just word 1: " + set.whatIsWrong();
}

QString setProblem(const QString &sets)
{
    const ownset::Folder set = ownset::readFolder(sets + "/mine", ownset::fitsWordLabel);
    return set.playable() ? QString() : set.whatIsWrong();
}

void writeList(const QString &sets, const QByteArray &list)
{
    write(sets + "/mine/words.txt", list);
}

} // namespace

class OwnWordsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir home;
    QString sets;

private slots:
    void initTestCase()
    {
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
            qputenv(name, QFile::encodeName(home.path() + '/' + name));
    }
    void init()
    {
        sets = home.path() + "/" + QTest::currentTestFunction() + "/" + QTest::currentDataTag() + "/sets";
        makeSet(sets + "/mine", twelve);
    }

    void handMadeSetPlays()
    {
        WordSets all;
        QVERIFY(ownset::addPlayableSets(all, ownset::fitsWordLabel, sets).isEmpty());
        const WordSets::Set mine = all.find("mine");
        QVERIFY(mine);
        QCOMPARE(mine->boardFileName(), QStringLiteral("kivora-mine.tmp"));
        RecordingPlayer player;
        Form2 window(player);
        window.chooseWordSet(mine);
        window.PicB_Click();
        QVERIFY(window.gameOn);
        const int asked = window.picWord[size_t(window.qOrder[size_t(window.qNum)])];
        QCOMPARE(window.Label3->text(), twelve.at(asked));
        // The word's own files, read afresh.
        const auto file = [this](int word, const char *type) {
            QFile f(QStringLiteral("%1/mine/%2.%3").arg(sets).arg(word + 1, 2, 10, QChar('0')).arg(type));
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        };
        QCOMPARE(window.wordWav, ownmedia::convertRecording(file(asked, "wav")).wave);
        QBuffer shown;
        shown.setData(file(window.picWord[0], "png"));
        QCOMPARE(window.LabelP(0)->pixmap().toImage(), ownmedia::fitIntoSquare(ownmedia::readPicture(shown).image, 90));
        QCOMPARE(window.LabelP(0)->pixmap().size(), QSize(90, 90));
        // Its board is a file of its own in the data folder, wherever the program is.
        window.GameOver();
        QVERIFY(QFileInfo::exists(home.path() + "/XDG_DATA_HOME/wordnest/kivora-mine.tmp"));
    }

    void badInputIsAnsweredAndLosesNothing_data()
    {
        QTest::addColumn<Case>("bad");
        QTest::addColumn<QString>("answer");
        const auto onWord1 = [](const char *file, QByteArray bytes) {
            return Case([=](const QString &sets) {
                write(sets + "/mine/" + file, bytes);
                return wordProblem(sets);
            });
        };
        QTest::newRow("picture of junk") << onWord1("01.png", "not a picture") << "01.png is not a PNG, JPEG or BMP";
        QTest::newRow("empty picture") << onWord1("01.png", "") << "01.png is empty";
        QTest::newRow("huge picture") << onWord1("01.png", hugePng()) << "01.png is too large (20000 x 20000";
        QTest::newRow("cut-off picture") << onWord1("01.png", cutPng())
                                         << "01.png does not decode";
        QTest::newRow("recording of junk") << onWord1("01.wav", "RIFF junk") << "01.wav is not a sound file";
        QTest::newRow("empty recording") << onWord1("01.wav", "") << "01.wav is empty";
        QTest::newRow("long recording") << Case([](const QString &sets) {
            writeSound(sets + "/mine/01.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8000, 1, 10.5, 0.3);
            return wordProblem(sets);
        }) << "01.wav lasts more than 10 seconds";
        QTest::newRow("pipe for a recording") << Case([](const QString &sets) {
            QFile::remove(sets + "/mine/01.wav");
            mkfifo(QFile::encodeName(sets + "/mine/01.wav").constData(), 0600);
            return wordProblem(sets);
        }) << "01.wav is not a plain file";
        QTest::newRow("picture linked from elsewhere") << Case([](const QString &sets) {
            QFile::remove(sets + "/mine/01.png");
            QFile::link(sets + "/mine/02.png", sets + "/mine/01.png");
            return wordProblem(sets);
        }) << "01.png is a link";
        QTest::newRow("set folder is a link") << Case([](const QString &sets) {
            QDir(sets).rename("mine", "../elsewhere");
            QFile::link(sets + "/../elsewhere", sets + "/mine");
            return setProblem(sets);
        }) << "is a link";

        const auto list = [](const QByteArray &words) {
            return Case([=](const QString &sets) {
                writeList(sets, words);
                return setProblem(sets);
            });
        };
        const QByteArray ten = twelve.mid(0, 10).join('\n').toUtf8() + '\n';
        QTest::newRow("nine words") << list(twelve.mid(0, 9).join('\n').toUtf8()) << "has 9 words; a set needs at least 10";
        QTest::newRow("21 words") << list(ten + ten.toUpper() + "x\n") << "has 21 words; a set has at most 20";
        QTest::newRow("blank line") << list("a\nb\n \n" + ten) << "line 3 is blank";
        QTest::newRow("same word twice") << list(ten + "Cherry\n") << "line 11 repeats line 3 (\"Cherry\")";
        QTest::newRow("10,000 characters") << list(ten + QByteArray(10000, 'w')) << "line 11 is too long (10000 char";
        QTest::newRow("not UTF-8") << list("apple\n\xff\xfe" "bad\n" + ten) << "line 2 is not UTF-8";
        QTest::newRow("too wide") << list(ten + "hippopotamus and crocodile\n") << "line 11 (\"hippopotamus";

        const QByteArray words = ten;
        QTest::newRow("archive with ../") << Case([=](const QString &sets) {
            return refusedImport(sets, {{"new/words.txt", AE_IFREG, words}, {"new/../../escaped", AE_IFREG, "x"}});
        }) << "a path outside one set folder";
        QTest::newRow("archive with an absolute path") << Case([=](const QString &sets) {
            return refusedImport(sets, {{"/tmp/new/words.txt", AE_IFREG, words}});
        }) << "a path outside one set folder";
        QTest::newRow("archive with a link") << Case([=](const QString &sets) {
            return refusedImport(sets, {{"new/words.txt", AE_IFREG, words}, {"new/01.png", AE_IFLNK, {}}});
        }) << "a link or a special file (new/01.png)";
        QTest::newRow("archive with a device") << Case([=](const QString &sets) {
            return refusedImport(sets, {{"new/words.txt", AE_IFREG, words}, {"new/01.wav", AE_IFCHR, {}}});
        }) << "a link or a special file (new/01.wav)";
        QTest::newRow("archive of 101 MB") << Case([=](const QString &sets) {
            return refusedImport(sets, {{"new/words.txt", AE_IFREG, words}, {"new/01.wav", AE_IFREG, QByteArray(101 << 20, 0)}});
        }) << "unpacks to more than 100 MB";
        QTest::newRow("archive of 201 entries") << Case([=](const QString &sets) {
            return refusedImport(sets, QList<Entry>(200, {"new/", AE_IFDIR, {}}) << Entry{"new/words.txt", AE_IFREG, words});
        }) << "more than 200 entries";
        QTest::newRow("archive of a set that exists") << Case([=](const QString &sets) {
            return refusedImport(sets, {{"mine/words.txt", AE_IFREG, words}});
        }) << "a word set 'mine' exists already";
    }
    void badInputIsAnsweredAndLosesNothing()
    {
        QFETCH(Case, bad);
        QFETCH(QString, answer);
        const QString problem = bad(sets);
        QVERIFY2(problem.contains(answer), qPrintable(problem));
        QVERIFY(!QFileInfo::exists(sets + "/../../escaped"));
    }

    void exportThenImportGivesTheSameSet()
    {
        write(sets + "/mine/set.ini", "[set]\nname=我的水果\n");
        const ownset::Folder before = ownset::readFolder(sets + "/mine", ownset::fitsWordLabel);
        const QString file = sets + "/../mine.wordnest";
        QCOMPARE(setarchive::exportSet("mine", file, ownset::fitsWordLabel, sets), QString());
        QVERIFY(setarchive::exportSet("mine", file, ownset::fitsWordLabel, sets).contains("exists already"));
        QVERIFY(QDir(sets + "/mine").removeRecursively());
        QCOMPARE(setarchive::importSet(file, ownset::fitsWordLabel, sets).problem, QString());
        const ownset::Folder after = ownset::readFolder(sets + "/mine", ownset::fitsWordLabel);
        QCOMPARE(after.name, QStringLiteral("我的水果"));
        QCOMPARE(after.words.size(), twelve.size());
        for (int i = 0; i < twelve.size(); ++i) {
            QCOMPARE(after.words[i].text, before.words[i].text);
            QCOMPARE(after.words[i].picture, before.words[i].picture);
            QCOMPARE(after.words[i].recording, before.words[i].recording);
        }
        QCOMPARE(QDir(sets).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"mine"});
    }

    void soundFilesBecomeTheGamesFormat_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<double>("amplitude");
        QTest::newRow("quiet stereo WAV") << (SF_FORMAT_WAV | SF_FORMAT_PCM_16) << 44100 << 2 << 0.03;
        QTest::newRow("loud FLAC") << (SF_FORMAT_FLAC | SF_FORMAT_PCM_16) << 48000 << 1 << 0.95;
        QTest::newRow("Ogg at 16 kHz") << (SF_FORMAT_OGG | SF_FORMAT_VORBIS) << 16000 << 1 << 0.3;
    }
    void soundFilesBecomeTheGamesFormat()
    {
        QFETCH(int, format);
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(double, amplitude);
        const QString source = sets + "/../source";
        writeSound(source, format, rate, channels, 1.0, amplitude, 0.5);
        QCOMPARE(ownset::storeRecording(sets + "/mine", 0, source), QString());
        QFile stored(sets + "/mine/01.wav");
        QVERIFY(stored.open(QIODevice::ReadOnly));
        const QByteArray wav = stored.readAll();
        // RIFF PCM, mono, 22050 Hz, 8-bit.
        QCOMPARE(wav.mid(20, 16), QByteArray::fromHex("01000100225600002256000001000800"));
        const QByteArray samples = wav.mid(44);
        const auto sounding = [](char c) { return std::abs(quint8(c) - 128) > 3; };
        const qsizetype first = std::find_if(samples.begin(), samples.end(), sounding) - samples.begin();
        const qsizetype last = samples.size() - (std::find_if(samples.rbegin(), samples.rend(), sounding) - samples.rbegin());
        // The half seconds of silence trimmed to the game's 50 ms and 30 ms.
        QVERIFY2(first >= 1000 && first <= 1500, qPrintable(QString::number(first)));
        QVERIFY2(samples.size() - last >= 600 && samples.size() - last <= 1200, qPrintable(QString::number(samples.size()) + " " + QString::number(first)+ " " + QString::number(last)));
        QVERIFY(std::abs(ownmedia::activeLoudness(samples) - ownmedia::wordLoudnessDb) <= 1.0);
    }
};

QTEST_MAIN(OwnWordsTest)
#include "tst_ownwords.moc"
