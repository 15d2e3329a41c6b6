// "My words": a set made through the page and its editor plays, the
// microphone's recording arrives trimmed and levelled, deleting takes only
// the set and its board, and an import never replaces a set unasked.
#include "app/form2.h"
#include "corner/cornerwindow.h"
#include "corner/wordsetspage.h"
#include "progress/answerrecorder.h"
#include "ownwords/ownmedia.h"
#include "support/recordingplayer.h"
#include "wordeditor/mywordspage.h"
#include "wordeditor/seteditor.h"
#include "wordeditor/wordrow.h"

#include <QTabWidget>
#include <QtTest>

#include <cmath>

using OnConflict = ownsetstore::OnConflict;
Q_DECLARE_METATYPE(OnConflict)

namespace {

const QStringList ten{"cow", "pig", "hen", "duck", "goat", "horse", "sheep", "dog", "cat", "goose"};

// 16-bit mono samples: `pad` seconds of silence, a 440 Hz tone, silence again.
QByteArray toneSamples(int rate, double pad, double seconds, double amplitude)
{
    QByteArray raw;
    for (int i = 0; i < int((2 * pad + seconds) * rate); ++i) {
        const double t = double(i) / rate;
        const qint16 v = qint16(t < pad || t > pad + seconds ? 0 : 32767 * amplitude * std::sin(2 * M_PI * 440 * t));
        raw.append(char(v & 0xff)).append(char((v >> 8) & 0xff));
    }
    return raw;
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

QByteArray wave(const QByteArray &samples, quint32 rate)
{
    QByteArray h("RIFF....WAVEfmt \x10\0\0\0\1\0\1\0........\2\0\x10\0data....", 44);
    qToLittleEndian<quint32>(quint32(36 + samples.size()), h.data() + 4);
    qToLittleEndian<quint32>(rate, h.data() + 24);
    qToLittleEndian<quint32>(rate * 2, h.data() + 28);
    qToLittleEndian<quint32>(quint32(samples.size()), h.data() + 40);
    return h + samples;
}

} // namespace

class WordEditorTest : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    RecordingPlayer player;
    QString sets, boards;

    // A page on this test's own folders.
    std::unique_ptr<MyWordsPage> page()
    {
        return std::make_unique<MyWordsPage>(nullptr, &player, sets, boards);
    }

    // Makes set `name` of ten words through the page and its editor, with
    // pictures and sound files as a grown-up would choose them.
    QString makeSet(MyWordsPage &page, const QString &name)
    {
        QString id;
        if (!page.createSet(name, {}, &id).isEmpty())
            return {};
        SetEditor *editor = page.editSet(id);
        for (int i = 0; i < ten.size(); ++i) {
            editor->rows()[i]->setText(ten[i]);
            QImage picture(800, 600, QImage::Format_RGB32);
            picture.fill(QColor::fromHsv(i * 36, 200, 220));
            picture.save(home.filePath("picture.png"));
            write(home.filePath("sound.wav"), wave(toneSamples(44100, 0.2, 0.3 + 0.05 * i, 0.5), 44100));
            if (!editor->saveWords().isEmpty() || !editor->choosePictureFile(i, home.filePath("picture.png")).isEmpty()
                || !editor->chooseSoundFile(i, home.filePath("sound.wav")).isEmpty())
                return {};
        }
        editor->close();
        return id;
    }

private slots:
    void initTestCase()
    {
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR"})
            qputenv(name, QFile::encodeName(home.filePath(name)));
    }
    void init()
    {
        const QString place = home.filePath(QString(QTest::currentTestFunction()) + "/" + QTest::currentDataTag());
        sets = place + "/sets";
        boards = place + "/data";
        QDir().mkpath(boards);
    }

    void setMadeOnThePagePlays()
    {
        auto mine = page();
        const QString id = makeSet(*mine, "Farm animals");
        QCOMPARE(id, "farm-animals");
        SetEditor *editor = mine->editSet(id);
        // A word too wide for the label, or a repeat, is named at once and not saved.
        for (const QString &bad : {QString("hippopotamus-rhinoceros"), QString("COW")}) {
            editor->rows()[10]->setText(bad);
            QVERIFY(!editor->saveWords().isEmpty());
        }
        // A picture from memory (a built-in one) is stored at the largest size kept too.
        editor->rows()[10]->setText({});
        QVERIFY(editor->choosePicture(9, QImage(540, 400, QImage::Format_RGB32)).isEmpty());
        QCOMPARE(QImage(sets + "/farm-animals/10.png").size(), QSize(270, 200));
        QCOMPARE(QImage(sets + "/farm-animals/01.png").size(), QSize(270, 202));
        mine->refresh();
        QCOMPARE(mine->sets().size(), 1);
        QCOMPARE(mine->sets()[0].usableWords(), 10);
        QCOMPARE(mine->sets()[0].name, "Farm animals");

        QSignalSpy chosen(mine.get(), &MyWordsPage::chosen);
        QVERIFY(mine->playSet(id));
        const auto set = chosen.at(0).at(0).value<WordSets::Set>();
        QCOMPARE(set->words(), ten);
        Form2 window(player);
        window.chooseWordSet(set);
        window.PicB_Click();
        QVERIFY(ten.contains(window.Label3->text()));
        // Renaming keeps the id.
        QVERIFY(mine->renameSet(id, "Farm").isEmpty());
        QCOMPARE(mine->sets()[0].name, "Farm");
        QCOMPARE(mine->sets()[0].id, id);
        // A hand-made list longer than the editor holds is never cut short.
        QStringList many;
        for (int i = 1; i <= 21; ++i)
            many << QString("word%1").arg(i);
        write(sets + "/farm-animals/words.txt", many.join('\n').toUtf8());
        QVERIFY(!mine->editSet(id)->saveWords().isEmpty());
        QFile list(sets + "/farm-animals/words.txt");
        QVERIFY(list.open(QIODevice::ReadOnly) && list.readAll() == many.join('\n').toUtf8());
    }

    void recordingArrivesTrimmedAndLevelled_data()
    {
        QTest::addColumn<bool>("microphone");
        QTest::newRow("spoken into the microphone") << true;
        QTest::newRow("no microphone") << false;
    }
    void recordingArrivesTrimmedAndLevelled()
    {
        QFETCH(bool, microphone);
        // The disk driver's "microphone" reads the raw samples of this file.
        const QString input = home.filePath(microphone ? "microphone.raw" : "missing.raw");
        if (microphone)
            write(input, toneSamples(22050, 0.6, 0.5, 0.05));
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILEIN", QFile::encodeName(input));
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(home.filePath("speaker.raw")));
        auto mine = page();
        QString id;
        QVERIFY(mine->createSet("Voice", {}, &id).isEmpty());
        SetEditor *editor = mine->editSet(id);
        editor->toggleRecording(0);
        QCOMPARE(editor->recordingRow(), microphone ? 0 : -1);
        if (!microphone) {
            QVERIFY(editor->rows()[0]->shownMessage().contains("声音文件"));
            QVERIFY(!QFile::exists(sets + "/voice/01.wav"));
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(editor->recordedSeconds() >= 1.8, 60000);
        editor->toggleRecording(0);
        QFile stored(sets + "/voice/01.wav");
        QVERIFY(stored.open(QIODevice::ReadOnly));
        const QByteArray samples = stored.readAll().mid(44);
        // The tone alone, with the game's 50 ms of silence before and 30 ms after.
        QVERIFY2(std::abs(samples.size() / 44100.0 - 0.58) < 0.03, qPrintable(QString::number(samples.size())));
        QVERIFY(std::abs(ownmedia::activeLoudness(samples, 16) - ownmedia::wordLoudnessDb) < 1.0);
        editor->listen(0);
        QCOMPARE(player.played.constLast().bytes.mid(44), samples);
    }

    void deleteTakesTheSetAndItsBoardOnly()
    {
        auto mine = page();
        QVERIFY(mine->createSet("a").isEmpty() && mine->createSet("b").isEmpty());
        QVERIFY(!mine->playSet("a")); // no words yet
        const QStringList boardFiles{"kivora-a.tmp", "kivora-b.tmp", "kivora1.tmp", "kivora-a.tmp.backup", "progress.db"};
        for (const QString &name : boardFiles)
            write(boards + "/" + name, "x");
        QVERIFY(mine->deleteSet("a").isEmpty());
        QCOMPARE(QDir(sets).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"b"});
        QCOMPARE(QDir(boards).entryList(QDir::Files, QDir::Name),
                 (QStringList{"kivora-a.tmp.backup", "kivora-b.tmp", "kivora1.tmp", "progress.db"}));
        QVERIFY(!mine->deleteSet("../data").isEmpty());
    }

    void importAsksBeforeReplacing_data()
    {
        QTest::addColumn<OnConflict>("answer");
        QTest::addColumn<QStringList>("setsAfter");
        QTest::addColumn<QString>("nameOfFarm");
        QTest::newRow("cancel") << OnConflict::Cancel << QStringList{"farm"} << "changed";
        QTest::newRow("keep both") << OnConflict::KeepBoth << QStringList{"farm", "farm-2"} << "changed";
        QTest::newRow("replace") << OnConflict::Replace << QStringList{"farm"} << "Farm";
    }
    void importAsksBeforeReplacing()
    {
        QFETCH(OnConflict, answer);
        QFETCH(QStringList, setsAfter);
        QFETCH(QString, nameOfFarm);
        auto mine = page();
        QCOMPARE(makeSet(*mine, "Farm"), "farm");
        const QString file = home.filePath(QString("farm-%1.wordnest").arg(int(answer)));
        QVERIFY(mine->exportSet("farm", file).isEmpty());
        QVERIFY(mine->renameSet("farm", "changed").isEmpty());
        QStringList asked;
        mine->askOnConflict = [&](const QString &id) { asked << id; return answer; };
        QVERIFY(mine->importFile(file).isEmpty());
        QCOMPARE(asked, QStringList{"farm"});
        QCOMPARE(QDir(sets).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), setsAfter);
        QCOMPARE(mine->sets()[0].name, nameOfFarm);
        QCOMPARE(mine->sets().constLast().usableWords(), 10);
    }

    void cornerTilesShowAnImportedSet()
    {
        auto mine = page();
        QVERIFY(mine->exportSet(makeSet(*mine, "Farm"), home.filePath("tiles.wordnest")).isEmpty());
        NoRecorder noRecord;
        CornerWindow corner(WordSets(), "1", noRecord);
        const qsizetype builtIn = corner.wordSetsPage->tiles().size();
        corner.pages->setCurrentWidget(corner.myWordsPage);
        QVERIFY(corner.myWordsPage->importFile(home.filePath("tiles.wordnest")).isEmpty());
        corner.pages->setCurrentIndex(0);
        QCOMPARE(corner.pages->currentWidget(), corner.wordSetsPage);
        QCOMPARE(corner.wordSetsPage->tiles().size(), builtIn + 1);
        // Deleting the next game's set gives the game the household set again.
        QSignalSpy chosen(&corner, &CornerWindow::wordSetChosen);
        QVERIFY(corner.myWordsPage->playSet("farm") && corner.myWordsPage->deleteSet("farm").isEmpty());
        QCOMPARE(chosen.size(), 2);
        QCOMPARE(chosen.at(1).at(0).value<WordSets::Set>()->id(), "1");
    }
};

QTEST_MAIN(WordEditorTest)
#include "tst_wordeditor.moc"
