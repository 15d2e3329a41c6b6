// "My words": a set made through the page and its editor plays, the
// microphone's recording arrives trimmed and levelled, deleting takes only
// the set and its board, and an import never replaces a set unasked.
#include "forms/form2.h"
#include "corner/cornerbutton.h"
#include "corner/cornerwindow.h"
#include "corner/grownupcheck.h"
#include "corner/tilegrid.h"
#include "corner/wordsetspage.h"
#include "corner/wordsettile.h"
#include "children/childlist.h"
#include "ownsets/ownmedia.h"
#include "ownsets/setreader.h"
#include "ownsets/setwriter.h"
#include "progress/answerrecorder.h"
#include "progress/progressreader.h"
#include "progress/questiontally.h"
#include "progress/sqliterecorder.h"
#include "progresspage/classtable.h"
#include "progresspage/progresspage.h"
#include "rules/rememberedpace.h"
#include "support/closingendstherun.h"
#include "support/recordingplayer.h"
#include "ui/qttranslations.h"
#include "ui/companionstack.h"
#include "wordeditor/builtinpicturechooser.h"
#include "wordeditor/mywordspage.h"
#include "wordeditor/newsetdialog.h"
#include "wordeditor/seteditor.h"
#include "wordeditor/wordrow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include <sys/stat.h>

#include <cmath>
#include <optional>
#include <sys/file.h>

using OnConflict = ownsets::OnConflict;
Q_DECLARE_METATYPE(OnConflict)
using Unsaved = SetEditor::Unsaved;
Q_DECLARE_METATYPE(Unsaved)
// Puts something the editor must not write through into set folder `set`.
using Spoil = std::function<void(const QString &set, const QString &outside)>;
Q_DECLARE_METATYPE(Spoil)

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

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file as it is: a link's target, "special" for a pipe, else its bytes.
QByteArray what(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return "link to " + QFile::encodeName(info.symLinkTarget());
    return info.isFile() ? readAll(path) : "special";
}

QStringList wordsOnDisk(const QString &set)
{
    return QString::fromUtf8(readAll(set + "/words.txt")).split('\n', Qt::SkipEmptyParts);
}

// Line `line`'s (from 1) picture and recording as stored.
QByteArray mediaOf(const QString &set, int line)
{
    const QString name = QString("%1/%2.").arg(set).arg(line, 2, 10, QChar('0'));
    return readAll(name + "png") + readAll(name + "wav");
}

} // namespace

class WordEditorTest : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    RecordingPlayer player;
    QString sets, boards;
    QString made; // a set of ten words made once through the editor

    // A page on this test's own folders.
    std::unique_ptr<MyWordsPage> page()
    {
        return std::make_unique<MyWordsPage>(nullptr, &player, sets, boards);
    }

    // Makes set `name` of ten words through the page and its editor, with
    // pictures and sound files as a grown-up would choose them.
    QString makeInEditor(MyWordsPage &page, const QString &name)
    {
        QString id;
        if (!page.createSet(name, {}, &id).isEmpty())
            return {};
        SetEditor *editor = page.editSet(id);
        for (int i = 0; i < ten.size(); ++i) {
            editor->rows()[i]->setText(ten[i]);
            QImage picture(400, 300, QImage::Format_RGB32);
            picture.fill(QColor::fromHsv(i * 36, 200, 220));
            picture.save(home.filePath("picture.png"));
            write(home.filePath("sound.wav"), wave(toneSamples(44100, 0.2, 0.3 + 0.05 * i, 0.5), 44100));
            if (!editor->saveWords().isEmpty() || !editor->choosePictureFile(i, home.filePath("picture.png")).isEmpty()
                || !editor->chooseSoundFile(i, home.filePath("sound.wav")).isEmpty())
                return {};
        }
        bool asked = false;
        editor->askOnClose = [&] { asked = true; return Unsaved::Stay; };
        return editor->close() && !asked ? id : QString();
    }
    // Set `name` with the words and files of the set made once.
    QString makeSet(MyWordsPage &page, const QString &name)
    {
        QString id;
        if (!page.createSet(name, {}, &id).isEmpty())
            return {};
        for (const QString &file : QDir(made).entryList({"words.txt", "??.png", "??.wav"}))
            if (!QFile::copy(made + "/" + file, sets + "/" + id + "/" + file))
                return {};
        page.refresh();
        return id;
    }

private slots:
    void initTestCase()
    {
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME"})
            qputenv(name, QFile::encodeName(home.filePath(name)));
        QVERIFY(installQtTranslations(*QCoreApplication::instance())); // a set's problems in Chinese, as the game shows them
        sets = home.filePath("made");
        QCOMPARE(makeInEditor(*page(), "Farm"), "farm");
        made = sets + "/farm";
    }
    void init()
    {
        QDir(ownsets::setsFolder()).removeRecursively(); // the game's corner lists these
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
        window.rules().chooseWordSet(set);
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

    // What the editor finds in a set folder it neither follows nor garbles:
    // it leaves it as it was and says why. A GBK list is saved as UTF-8.
    void editorNeverWritesThroughWhatItFinds_data()
    {
        QTest::addColumn<Spoil>("spoil");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QByteArray>("listAfter"); // empty: words.txt as it was
        const auto link = [](const char *name) {
            return Spoil([=](const QString &set, const QString &outside) {
                QFile::remove(set + name);
                QFile::link(outside, set + name);
            });
        };
        const auto list = [](QByteArray bytes) {
            return Spoil([=](const QString &set, const QString &) { write(set + "/words.txt", bytes); });
        };
        const QByteArray rest = (ten.mid(1).join('\n') + '\n').toLatin1();
        QTest::newRow("words.txt links elsewhere") << link("/words.txt") << "words.txt 是链接" << QByteArray();
        QTest::newRow("01.png links to a photo") << link("/01.png") << "01.png：它是链接"
                                                 << "cow\n" + rest + "lamb\n";
        QTest::newRow("pipe for words.txt") << Spoil([](const QString &set, const QString &) {
            QFile::remove(set + "/words.txt");
            mkfifo(QFile::encodeName(set + "/words.txt").constData(), 0600);
        }) << "words.txt 不是普通文件" << QByteArray();
        QTest::newRow("Latin-1 words.txt") << list("caf\xe9\n" + rest) << "既不是 UTF-8 也不是 GBK" << QByteArray();
        QTest::newRow("GBK words.txt") << list(QStringEncoder("GBK").encode("奶牛\n") + rest) << QString()
                                       << QString("奶牛\n" + rest + "lamb\n").toUtf8();
    }
    void editorNeverWritesThroughWhatItFinds()
    {
        QFETCH(Spoil, spoil);
        QFETCH(QString, answer);
        QFETCH(QByteArray, listAfter);
        auto mine = page();
        const QString id = makeSet(*mine, "Farm");
        const QString set = sets + "/" + id, outside = home.filePath(QString("outside %1").arg(QTest::currentDataTag()));
        write(outside, "a photo of the family");
        spoil(set, outside);
        const QByteArray listBefore = what(set + "/words.txt");
        SetEditor *editor = mine->editSet(id);
        editor->rows()[10]->setText("lamb");
        QImage photo(40, 40, QImage::Format_RGB32);
        photo.fill(Qt::red);
        photo.save(home.filePath("photo.png"));
        const QString said = editor->saveWords() + editor->choosePictureFile(0, home.filePath("photo.png"));
        QVERIFY2(answer.isEmpty() ? said.isEmpty() : said.contains(answer), qPrintable(said));
        QCOMPARE(what(outside), "a photo of the family");
        QCOMPARE(what(set + "/words.txt"), listAfter.isEmpty() ? listBefore : listAfter);
    }

    // A set's name is shown as it is: as markup it could make Qt open any file.
    void nameInMarkupIsShownAsText()
    {
        auto mine = page();
        QVERIFY(mine->createSet("<img src=\"" + home.filePath("x.png") + "\">farm", "farm").isEmpty());
        mine->select("farm");
        QString shown;
        Qt::TextFormat format = Qt::RichText;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                poll.stop(), shown = box->text(), format = box->textFormat(), box->reject();
        });
        poll.start(10);
        mine->deleteButton->click();
        QCOMPARE(format, Qt::PlainText);
        QVERIFY2(shown.contains("x.png\">farm"), qPrintable(shown));
        QCOMPARE(QDir(sets).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"farm"});
    }

    // A bad field is said under it and takes the keyboard; OK keeps the
    // dialog open with both fields as typed until the set can be made.
    void newSetDialogKeepsWhatWasTyped_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("outcome"); // the folder made, or the field refused
        QTest::newRow("folder from the name") << " Farm  animals " << "" << "farm-animals";
        QTest::newRow("Chinese name, no folder") << "农场动物" << "" << "folderBox";
        QTest::newRow("only digits: the built-in sets'") << "农场" << "123" << "folderBox";
        QTest::newRow("folder taken") << "农场" << "taken" << "folderBox";
        QTest::newRow("no name") << "  " << "farm" << "nameBox";
    }
    void newSetDialogKeepsWhatWasTyped()
    {
        QFETCH(QString, name);
        QFETCH(QString, folder);
        QFETCH(QString, outcome);
        auto mine = page();
        QVERIFY(mine->createSet("Taken", "taken").isEmpty());
        QString seen; // where the keyboard is, whether the problem is said as text, what the fields hold
        mine->runDialog = [&](NewSetDialog &dialog) {
            dialog.nameBox->setText(name);
            dialog.folderBox->setText(folder);
            dialog.okButton->click();
            if (dialog.result() == QDialog::Accepted)
                return true;
            const QLabel *said = dialog.nameProblem->isHidden() ? dialog.folderProblem : dialog.nameProblem;
            seen = dialog.focusWidget()->objectName() + (said->isHidden() || said->textFormat() != Qt::PlainText ? " unsaid|" : "|")
                   + dialog.nameBox->text() + '|' + dialog.folderBox->text();
            return false;
        };
        mine->createButton->click();
        QCOMPARE(seen, outcome.endsWith("Box") ? outcome + '|' + name + '|' + folder : QString());
        QCOMPARE(QDir(sets).entryList(QDir::Dirs | QDir::NoDotAndDotDot).join(' '), seen.isEmpty() ? outcome + " taken" : "taken");
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
            write(input, toneSamples(22050, 0.2, 0.5, 0.05));
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
        QTRY_VERIFY_WITH_TIMEOUT(editor->recordedSeconds() >= 1.0, 60000);
        editor->toggleRecording(0);
        // A row without a word keeps its recording in memory until it has one.
        QVERIFY(!QFile::exists(sets + "/voice/01.wav"));
        editor->rows()[0]->setText("hello");
        QCOMPARE(editor->saveWords(), QString());
        QFile stored(sets + "/voice/01.wav");
        QVERIFY(stored.open(QIODevice::ReadOnly));
        const QByteArray samples = stored.readAll().mid(44);
        // The tone alone, with the game's 50 ms of silence before and 30 ms after.
        QVERIFY2(std::abs(samples.size() / 44100.0 - 0.58) < 0.03, qPrintable(QString::number(samples.size())));
        QVERIFY(std::abs(ownsets::activeLoudness(samples, 16) - ownsets::wordLoudnessDb) < 1.0);
        editor->listen(0);
        QCOMPARE(player.played.constLast().bytes.mid(44), samples);
    }

    void rowsKeepTheirMediaWhenSavedMovedAndDeleted()
    {
        auto mine = page();
        const QString set = sets + "/" + makeSet(*mine, "Farm");
        QHash<QString, QByteArray> own;
        for (int i = 0; i < ten.size(); ++i)
            own[ten[i]] = mediaOf(set, i + 1);
        SetEditor *editor = mine->editSet("farm");
        const auto choose = [&](int row, int height) { return editor->choosePicture(row, QImage(4, height, QImage::Format_RGB32)); };
        // A word too wide in the middle: nothing of its row is written, the row below is saved.
        editor->rows()[10]->setText("hippopotamus-rhinoceros");
        editor->rows()[11]->setText("lamb");
        QVERIFY(!editor->saveWords().isEmpty());
        QVERIFY(editor->rows()[10]->showsProblem() && !choose(10, 1).isEmpty() && choose(11, 2).isEmpty());
        QCOMPARE(wordsOnDisk(set), ten + QStringList{"lamb"});
        QVERIFY(QFile::exists(set + "/11.png") && !QFile::exists(set + "/12.png"));
        own["lamb"] = mediaOf(set, 11);
        // A repeat keeps what its row saved before, media included.
        editor->rows()[3]->setText("COW");
        QVERIFY(!choose(3, 3).isEmpty());
        QCOMPARE(wordsOnDisk(set)[3], "duck");
        QCOMPARE(mediaOf(set, 4), own["duck"]);
        // Mended, each row is saved with what was chosen for it; lamb moves down with its own.
        editor->rows()[3]->setText("duck");
        editor->rows()[10]->setText("calf");
        QCOMPARE(editor->saveWords(), QString());
        QCOMPARE(wordsOnDisk(set), (ten + QStringList{"calf", "lamb"}));
        QCOMPARE(mediaOf(set, 12), own["lamb"]);
        QCOMPARE(QImage(set + "/04.png").height(), 3);
        own.insert({{"duck", mediaOf(set, 4)}, {"calf", mediaOf(set, 11)}});
        // Moves and deletes take each word's picture and recording along.
        QCOMPARE(editor->moveRow(0, 1), QString());
        QCOMPARE(editor->moveRow(11, 2), QString());
        // The delete button asks first (a parent's own recording has no copy): no keeps the row.
        QList<bool> answers{false, true};
        editor->askBeforeRemoving = [&](int row) { return row == 5 && answers.takeFirst(); };
        editor->rows()[5]->removeButton->click();
        editor->rows()[5]->removeButton->click();
        QVERIFY(answers.isEmpty());
        QCOMPARE(editor->insertRow(0), QString());
        const QStringList moved = wordsOnDisk(set);
        QCOMPARE(moved, (QStringList{"pig", "cow", "lamb", "hen", "duck", "horse", "sheep", "dog", "cat", "goose", "calf"}));
        for (int line = 1; line <= moved.size(); ++line)
            QVERIFY2(mediaOf(set, line) == own[moved[line - 1]], qPrintable(moved[line - 1]));
        // A cleared word's media go with it: a word typed there later has none.
        editor->rows()[3]->setText({});
        QCOMPARE(editor->saveWords(), QString());
        editor->rows()[3]->setText("ox");
        QCOMPARE(editor->saveWords(), QString());
        QCOMPARE(wordsOnDisk(set).indexOf("ox"), 2); // the blank first row is not a line
        QVERIFY(!editor->rows()[3]->listenButton->isEnabled() && editor->model().rows()[3].picture.isNull());
        QVERIFY(mediaOf(set, 3).isEmpty() && mediaOf(set, 4) == own["hen"]);
        // Opened again, it shows what plays.
        QVERIFY(editor->close());
        QCOMPARE(mine->editSet("farm")->rows()[2]->text(), "ox");
    }

    // Closing the editor, or the game with the editor open in its corner.
    // Saving where a row cannot be saved keeps everything open, saying why.
    void closingWithUnsavedChangesAsks_data()
    {
        QTest::addColumn<Unsaved>("answer");
        QTest::addColumn<bool>("game");
        QTest::addColumn<bool>("repeat"); // a row that cannot be saved
        QTest::newRow("save") << Unsaved::Save << false << true;
        QTest::newRow("discard") << Unsaved::Discard << false << true;
        QTest::newRow("stay") << Unsaved::Stay << false << true;
        QTest::newRow("game closed: save") << Unsaved::Save << true << false;
        QTest::newRow("game closed: save, a repeat") << Unsaved::Save << true << true;
        QTest::newRow("game closed: discard") << Unsaved::Discard << true << true;
        QTest::newRow("game closed: stay") << Unsaved::Stay << true << true;
    }
    void closingWithUnsavedChangesAsks()
    {
        QFETCH(Unsaved, answer);
        QFETCH(bool, game);
        QFETCH(bool, repeat);
        auto own = page();
        MyWordsPage *mine = own.get();
        std::optional<Form2> window;
        if (game) { // the corner's page lists the sets of the data folder
            sets = ownsets::setsFolder();
            window.emplace(player);
            window->show();
            window->cornerButton->open();
            mine = window->cornerButton->cornerWindow()->myWordsPage;
        }
        const QString set = sets + "/" + makeSet(*mine, "Farm");
        QPointer<SetEditor> editor = mine->editSet("farm");
        int asked = 0;
        editor->askOnClose = [&] { ++asked; return answer; };
        // Typed but not yet saved, and maybe a repeat that cannot be saved.
        editor->rows()[10]->setText(repeat ? "COW" : "");
        editor->rows()[11]->setText("lamb");
        const bool closes = answer == Unsaved::Discard || (answer == Unsaved::Save && !repeat);
        if (game) { // the corner over the editor, as the game's companion stack keeps it
            QTRY_COMPARE(QApplication::activeWindow(), window->cornerButton->cornerWindow());
            QCOMPARE(closingEndsTheRun(window->companionStack().gameWindow()), closes);
        } else
            QCOMPARE(editor->close(), closes);
        QCOMPARE(asked, 1);
        QCOMPARE(wordsOnDisk(set), answer == Unsaved::Save ? ten + QStringList{"lamb"} : ten);
        QCOMPARE(editor && editor->isVisible() && editor->rows()[10]->showsProblem(), answer == Unsaved::Save && repeat);
        if (game && !closes) { // the game and its corner stay, the editor in front
            QVERIFY(window->isVisible() && window->cornerButton->cornerWindow()->isVisible());
            QTRY_COMPARE(QApplication::activeWindow(), editor.data());
        }
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
        QTest::addColumn<int>("editing"); // the editor's answer to a replace; -1: not editing
        QTest::newRow("cancel") << OnConflict::Cancel << QStringList{"farm"} << "changed" << -1;
        QTest::newRow("keep both") << OnConflict::KeepBoth << QStringList{"farm", "farm-2"} << "changed" << -1;
        QTest::newRow("replace") << OnConflict::Replace << QStringList{"farm"} << "Farm" << -1;
        QTest::newRow("replace, editing: save") << OnConflict::Replace << QStringList{"farm"} << "Farm" << int(Unsaved::Save);
        QTest::newRow("replace, editing: cancel") << OnConflict::Replace << QStringList{"farm"} << "changed" << int(Unsaved::Stay);
    }
    void importAsksBeforeReplacing()
    {
        QFETCH(OnConflict, answer);
        QFETCH(QStringList, setsAfter);
        QFETCH(QString, nameOfFarm);
        QFETCH(int, editing);
        auto mine = page();
        QCOMPARE(makeSet(*mine, "Farm"), "farm");
        const QString file = home.filePath(QString("farm-%1-%2.wordnest").arg(int(answer)).arg(editing));
        QVERIFY(mine->exportSet("farm", file).isEmpty());
        QVERIFY(mine->renameSet("farm", "changed").isEmpty());
        QStringList asked, editorAsked;
        mine->askOnConflict = [&](const QString &id) { asked << id; return answer; };
        mine->askBeforeReplacingEdited = [&](const QString &id) { editorAsked << id; return Unsaved(editing); };
        QPointer<SetEditor> editor = editing < 0 ? nullptr : mine->editSet("farm");
        if (editor) // the editor has a word of the old set not saved yet
            editor->rows()[0]->setText("calf");
        QVERIFY(mine->importFile(file).isEmpty());
        QCOMPARE(asked, QStringList{"farm"});
        QCOMPARE(editorAsked, editing < 0 ? QStringList() : QStringList{"farm"});
        QCOMPARE(QDir(sets).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name), setsAfter);
        QCOMPARE(mine->sets()[0].name, nameOfFarm);
        QCOMPARE(mine->sets().constLast().usableWords(), 10);
        // An editor left open on the replaced set would write its old words over the imported ones.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(!editor.isNull(), editing == int(Unsaved::Stay));
        if (editor)
            editor->saveWords();
        QCOMPARE(wordsOnDisk(sets + "/farm").value(0), editor ? "calf" : "cow");
        QCOMPARE(QDir(sets + "/..").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"data", "sets"}));  // no journal or work folder left
    }

    // A replace import cut off by a crash at each step, as its journal and
    // folders were left ("farm" unpacked in the work folder is the new set,
    // "replaced" the old one). The next start puts a missing set back and
    // removes only what a journal names, of imports no longer running.
    void cutOffImportIsFinished_data()
    {
        QTest::addColumn<QByteArray>("journal");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("work");  // the sets in the work folder import-abc123
        QTest::addColumn<QString>("inSets");  // the name of set farm in place, if any
        QTest::addColumn<QString>("after");  // its name afterwards, and what is beside the sets
        const QByteArray named = "work=import-abc123\n", replacing = named + "replace=farm\n";
        const QString left = " data import-stray sets";
        const QString all = " data import-abc123 import-abc123.journal import-stray sets";
        QTest::newRow("begun") << QByteArray() << false << "" << "Old" << "Old data import-abc123 import-stray sets";
        QTest::newRow("folder named") << named << false << "" << "Old" << "Old" + left;
        QTest::newRow("unpacked") << named << false << "farm" << "Old" << "Old" + left;
        QTest::newRow("about to move the old set") << replacing << false << "farm" << "Old" << "Old" + left;
        QTest::newRow("old set aside, a line cut off") << replacing + "replace=fa" << false << "farm replaced" << ""
                                                       << "Old" + left;
        QTest::newRow("new set in place") << replacing << false << "replaced" << "New" << "New" + left;
        QTest::newRow("still running") << replacing << true << "farm replaced" << "" << all;
        QTest::newRow("naming another folder") << QByteArray("work=sets\nreplace=farm\n") << false << "farm replaced"
                                               << "" << all;
    }
    void cutOffImportIsFinished()
    {
        QFETCH(QByteArray, journal);
        QFETCH(bool, running);
        QFETCH(QString, work);
        QFETCH(QString, inSets);
        QFETCH(QString, after);
        const QString place = sets + "/..";
        const auto makeFolder = [](const QString &folder, const QString &name) {
            return QDir().mkpath(folder) && ownsets::writeSetName(folder, name).isEmpty();
        };
        QVERIFY(QDir().mkpath(place + "/import-stray/replaced") && QDir().mkpath(place + "/import-abc123"));
        for (const QString &set : work.split(' ', Qt::SkipEmptyParts))
            QVERIFY(makeFolder(place + "/import-abc123/" + set, set == "farm" ? "New" : "Old"));
        QVERIFY(QDir().mkpath(sets) && (inSets.isEmpty() || makeFolder(sets + "/farm", inSets)));
        write(place + "/import-abc123.journal", journal);
        QFile held(place + "/import-abc123.journal");
        QVERIFY(!running || (held.open(QIODevice::ReadOnly) && flock(held.handle(), LOCK_EX) == 0));

        const QStringList restored = ownsets::finishCutOffImports(sets);
        const bool farmThere = QFileInfo(sets + "/farm").isDir();
        const QString farm = farmThere ? ownsets::readFolder(sets + "/farm", ownsets::fitsWordLabel).name : QString();
        QCOMPARE(restored, inSets.isEmpty() && !farm.isEmpty() ? QStringList{"farm"} : QStringList());
        QCOMPARE(farm + ' ' + QDir(place).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).join(' '),
                 after);
    }

    // Every own folder has a tile, by name after the built-in sets and the
    // tricky words: one that cannot play says why and is not to be chosen;
    // one that plays without a word names it. The tiles flow with the width.
    void cornerTilesShowEveryOwnFolder()
    {
        auto mine = page();
        QVERIFY(mine->exportSet(makeSet(*mine, "Farm"), home.filePath("tiles.wordnest")).isEmpty());
        const QString own = ownsets::setsFolder();
        for (const QString folder : {"zoo", "my fruit", "ten", "more"})
            for (const QString &file : QDir(made).entryList({"words.txt", "??.png", "??.wav"}))
                QVERIFY(QDir().mkpath(own + folder) && QFile::copy(made + "/" + file, own + folder + "/" + file));
        const QString zoo = "动物园里我们班最喜欢的小动物和它们住的地方 Animals of the zoo";
        write(own + "zoo/set.ini", "[set]\nname=" + zoo.toUtf8() + "\n");
        QVERIFY(QFile::remove(own + "ten/01.png"));
        write(own + "more/words.txt", (ten.join('\n') + "\nlamb\n").toUtf8());
        NoRecorder noRecord;
        CornerWindow corner(WordSets(), "1", 0, noRecord); // no child
        // "My words" lists the folders when first shown, and that listing changes no tile.
        WordSetsPage *firstTiles = corner.wordSetsPage;
        corner.show();
        emit corner.check->passed();
        corner.pages->setCurrentWidget(corner.myWordsPage);
        QCOMPARE(corner.myWordsPage->list->count(), 4);
        corner.pages->setCurrentIndex(0);
        QCOMPARE(corner.wordSetsPage, firstTiles);
        corner.pages->setCurrentWidget(corner.myWordsPage);
        QVERIFY(corner.myWordsPage->importFile(home.filePath("tiles.wordnest")).isEmpty());
        // A folder named as no id can be seen here, and not edited.
        corner.myWordsPage->select("my fruit");
        QCOMPARE(corner.myWordsPage->selectedId(), "my fruit");
        QVERIFY(!corner.myWordsPage->editButton->isEnabled() && !corner.myWordsPage->editSet("my fruit"));
        QVERIFY(corner.myWordsPage->list->currentItem()->text().contains("还不能玩：文件夹名“my fruit”不能用"));
        corner.pages->setCurrentIndex(0);
        QCOMPARE(corner.pages->currentWidget(), corner.wordSetsPage);
        const QList<WordSetTile *> tiles = corner.wordSetsPage->tiles();
        QStringList ids;
        for (const WordSetTile *tile : tiles)
            ids << tile->setId();
        QCOMPARE(ids.join(' '), "1 2 3 4 5 6 tricky zoo farm more my fruit ten");
        const QLabel *zooName = tiles[7]->findChild<QLabel *>("chineseName");
        QVERIFY(zooName->text().endsWith("…") && zooName->toolTip().contains(zoo));
        // A reason as read, whatever lines it was broken into, then its tooltip.
        const auto why = [&](int tile) {
            const QLabel *label = tiles[tile]->findChild<QLabel *>("whyNot");
            return label ? label->text().remove(QRegularExpression("\\s")) + " | " + label->toolTip() : QString();
        };
        QVERIFY(!tiles[10]->isEnabled() && !tiles[10]->findChild<QLabel *>("cannotMark")->isHidden());
        QVERIFY(why(10).startsWith("文件夹名“myfruit”不能用，请给文件夹改个名字（比如my-fruit）"));
        QVERIFY(why(11).startsWith("只有9个词能用，一组至少要10个 | ") && why(11).contains("01.png"));
        const QLabel *leftOut = tiles[9]->findChild<QLabel *>("leftOut");
        QVERIFY(why(9).isEmpty() && leftOut && leftOut->toolTip().contains("lamb：没有图片 11.png、11.jpg 或 11.bmp"));
        QSignalSpy picked(corner.wordSetsPage, &WordSetsPage::chosen);
        corner.wordSetsPage->choose(tiles[10]);
        QTest::mouseClick(tiles[11], Qt::LeftButton);
        QVERIFY(picked.isEmpty() && tiles[0]->isChosen());
        // Wider, more columns; the arrow keys go down the rows and the view follows.
        corner.show();
        emit corner.check->passed();
        QTRY_COMPARE(corner.wordSetsPage->tileGrid->columns(), 3);
        QVERIFY(tiles[3]->y() > tiles[0]->y());
        for (int row = 0; row < 3; ++row)
            QTest::keyClick(corner.wordSetsPage->tiles().at(3 * row), Qt::Key_Down);
        QCOMPARE(corner.focusWidget(), tiles[9]);
        QTRY_VERIFY(corner.wordSetsPage->tileGrid->verticalScrollBar()->value() > 0);
        corner.resize(1300, 800);
        QTRY_VERIFY(corner.wordSetsPage->tileGrid->columns() >= 6 && tiles[3]->y() == tiles[0]->y());
        // Deleting the next game's set gives the game the household set again.
        QSignalSpy chosen(&corner, &CornerWindow::wordSetChosen);
        QVERIFY(corner.myWordsPage->playSet("farm") && corner.myWordsPage->deleteSet("farm").isEmpty());
        QCOMPARE(chosen.size(), 2);
        QCOMPARE(chosen.at(1).at(0).value<WordSets::Set>()->id(), "1");
    }

    // The built-in picture chooser finds a picture by its English word (any
    // case, anywhere in it) or its meaning, and says so when none matches.
    void pictureChooserSearches()
    {
        BuiltInPictureChooser chooser;
        chooser.list->setCurrentRow(119); // mountain, which each search below hides
        QCOMPARE(chooser.chosenWord(), "mountain");
        const auto shownFor = [&](const QString &text) {
            chooser.search->setText(text);
            QStringList found;
            for (int row = 0; row < chooser.list->count(); ++row)
                if (!chooser.list->item(row)->isHidden())
                    found << chooser.list->item(row)->text();
            return found;
        };
        QCOMPARE(shownFor(" CAR"), QStringList({"carrot\n胡萝卜", "scarf\n围巾", "car\n小汽车"}));
        QCOMPARE(shownFor("熊"), QStringList({"bear\n熊", "teddy\n玩具熊"}));
        QVERIFY(shownFor("xyz").isEmpty() && !chooser.noMatch->isHidden() && chooser.chosenWord().isEmpty());
        QVERIFY(shownFor("").size() == 120 && chooser.noMatch->isHidden());
    }

    // The progress page shows a child's words of each set as the record has
    // them, hardest first, the class as a table, and forgets one child or all.
    // The answers kept before there were children are the first child's.
    void progressPageShowsTheRecord()
    {
        SqliteRecorder recorder;
        QuestionTally tally;
        ChildList children;
        int mia = 0, leo = 0;
        for (const QString each : {"3 apple 0001", "3 banana 101", "3 pear 0000", "2 cat 01", "Leo", "2 dog 0"}) {
            const QStringList parts = each.split(' ');
            if (parts.size() == 1) {
                recorder.waitForWrites();
                children.add("Mia", ChildList::pictureChoices()[0], &mia);
                children.add("Leo", ChildList::pictureChoices()[1], &leo);
                continue;
            }
            recorder.gameStarted({parts[0], leo ? "untimed" : "standard", leo});
            for (const QChar right : parts[2]) {
                tally.ask(parts[0], parts[1], 0);
                if (right == '0')
                    tally.wrongPick();
                recorder.questionEnded(tally.rightPick());
            }
        }
        recorder.waitForWrites();
        ProgressPage page(recorder, WordSets(), leo);
        page.show();
        QStringList picker;
        for (int item = 0; item < page.childChoice->count(); ++item)
            picker << page.childChoice->itemText(item);
        QCOMPARE(picker.join(' ') + ' ' + page.childChoice->currentText(), "Mia Leo 全班 Leo"); // who plays
        page.childChoice->setCurrentIndex(0);
        page.setChoice->setCurrentIndex(page.setChoice->findData("3"));
        QStringList shown, held;
        for (int row = 0; row < page.wordTable->rowCount(); ++row)
            shown << page.wordTable->item(row, 0)->text() + ' ' + page.wordTable->item(row, 3)->text() + ' '
                         + qobject_cast<QProgressBar *>(page.wordTable->cellWidget(row, 2))->text();
        for (const WordStat &word : ProgressReader().wordStats("3", {mia}))
            held << QString("%1 %2 %3%").arg(word.word).arg(word.asked).arg(qRound(100.0 * word.firstTryRight / word.asked));
        QCOMPARE(shown, held);
        QCOMPARE(shown.value(0), "pear 4 0%");
        QCOMPARE(page.wordTable->item(0, 1)->text(), "梨");
        QVERIFY(page.status->text().contains("每一次答题都记下来了"));
        // The pace shown is the one each plays at now, whatever their last game's was.
        rememberPace(Pace::Slower, mia);
        page.childChoice->setCurrentIndex(page.childChoice->findData(ProgressPage::wholeClass));
        QStringList rows;
        for (int row = 0; row < page.classTable->rowCount(); ++row)
            for (int column = 0; column < page.classTable->columnCount(); ++column)
                rows << page.classTable->item(row, column)->text();
        QCOMPARE(rows.join(' '), "Mia 4 13 31% 慢一点 pear、apple、cat、banana Leo 1 1 0% 标准 dog");
        // A child added on the children page is in the picker when the page shows again; the pick stays.
        QVERIFY(ChildList().add("Ada", ChildList().freePicture()) == ChildList::Refusal::None);
        page.hide();
        page.show();
        QCOMPARE(page.childChoice->itemText(2) + ' ' + page.childChoice->currentText(), "Ada 全班");
        page.childChoice->setCurrentIndex(page.childChoice->findData(leo));
        QVERIFY(page.wordTable->item(0, 0)->text() == "dog" && page.forgetPicked());
        QVERIFY(ProgressReader().wordStats("2", {leo}).isEmpty() && !ProgressReader().wordStats("2", {mia}).isEmpty());
        // The corner's tricky tile follows at once: its pictures go.
        CornerWindow corner(WordSets(), "1", mia, recorder);
        const auto pictures = [&](int shown = 0) {
            for (const QLabel *label : corner.wordSetsPage->findChildren<QLabel *>())
                shown += !label->pixmap().isNull();
            return shown;
        };
        QVERIFY(pictures() > 18); // the built-in sets' three each, and some tricky words
        corner.pages->setCurrentWidget(corner.progressPage);
        QVERIFY(corner.progressPage->forgetAll());
        corner.pages->setCurrentIndex(0);
        QCOMPARE(pictures(), 18);
        QVERIFY(page.forgetAll() && page.wordTable->rowCount() == 0 && !WordSets().find("tricky"));
    }
};

QTEST_MAIN(WordEditorTest)
#include "tst_wordeditor.moc"
