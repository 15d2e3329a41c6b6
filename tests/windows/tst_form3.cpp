#include "children/childlist.h"
#include "forms/form2.h"
#include "ui/fullscreenview.h"
#include "forms/form3.h"
#include "catalogue/catalogue.h"
#include "records/boardtestutil.h"
#include "support/recordingplayer.h"
#include "support/windowplace.h"
#include "text/gbk.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QSettings>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <sys/stat.h>

#include <memory>

namespace {

const QString congratulation = QStringLiteral("恭喜恭喜!您上榜了。您的大名:");
const QByteArray defaultFile = QByteArray("0,0\r\n").repeated(10);
// Rows 500, 300, 300, 100, 90 ... 40.
const QByteArray ladderFile("Ann,500\r\nBob,300\r\nCy,300\r\nDee,100\r\nEd,90\r\n"
                            "Flo,80\r\nGus,70\r\nHal,60\r\nIvy,50\r\nJo,40\r\n");

QByteArray rows(const QByteArray &file, int from, int to)
{
    return file.split('\n').mid(from, to - from).join('\n') + '\n';
}

} // namespace

class Form3Test : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    RecordingPlayer player;
    std::unique_ptr<Form2> window;
    QString path;
    QTemporaryDir config; // settings of this run only

    // The game's own way in: a game ends with `score`.
    Form3 *gameOver(int score)
    {
        window->rules().score = qint16(score);
        window->rules().GameOver();
        return window->leaderboardWindow();
    }

    // Latin letters come as key presses, Chinese ones as an input method commits them.
    static void type(QWidget *box, const QString &text)
    {
        for (QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClicks(box, QString(c));
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(QString(c));
                QApplication::sendEvent(box, &commit);
            }
        }
    }

    void enterName(Form3 *board, const QString &name)
    {
        type(board->Text1, name);
        QTest::keyClick(board->Text1, Qt::Key_Return);
    }

    static void verifyRows(Form3 *board, const QStringList &names, const QStringList &scores)
    {
        QCOMPARE(board->Label1.count(), 10);
        QCOMPARE(board->Label2.count(), 10);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(board->Label1(i)->text(), names.value(i));
            QCOMPARE(board->Label2(i)->text(), scores.value(i));
        }
    }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path())); }

    void init()
    {
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
        player.clear();
        window = std::make_unique<Form2>(player);
        window->sPath = folder->path() + u'/';
        path = folder->path() + QStringLiteral("/kivora1.tmp");
        // A board that leaves the program folder must not reach the real home.
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder->path() + QStringLiteral("/data")));
        player.clear();
    }

    void cleanup()
    {
        window.reset();
    }

    // --- the three outcomes ---

    void noFileMakesDefaultBoardAndOffersTopRow()
    {
        Form3 *board = gameOver(0);
        QVERIFY(board->isVisible());
        QCOMPARE(board->grd, qint16(1));
        QCOMPARE(readAll(path), defaultFile);
        QCOMPARE(board->newRank, qint16(0));
        QVERIFY(!window->isEnabled());

        QCOMPARE(board->Labt->text(), congratulation);
        QVERIFY(board->Text1->isVisible());
        QVERIFY(board->Command1->isVisible());
        verifyRows(board, QStringList(10, QStringLiteral("0")), QStringList(10, QStringLiteral("0")));

        // Nothing loaded: the play step plays the still empty buffer.
        QCOMPARE(player.stops, 0);
        QCOMPARE(player.played.size(), 1);
        QCOMPARE(player.played[0].buffer, &board->boardWav);
        QCOMPARE(player.played[0].mode, PlayMode::Async);
        QVERIFY(player.played[0].bytes.isEmpty());

        // Even a score of 0 takes the top row.
        enterName(board, QStringLiteral("Tom"));
        QCOMPARE(readAll(path), "Tom,0\r\n" + QByteArray("0,0\r\n").repeated(9));
    }

    void placeOffersNameBoxAndCheerfulSound()
    {
        writeAll(path, ladderFile);
        Form3 *board = gameOver(300);
        QCOMPARE(board->newRank, qint16(3));
        QCOMPARE(board->Labt->text(), congratulation);
        QVERIFY(board->Text1->isVisible());
        QVERIFY(board->Text1->text().isEmpty());
        QVERIFY(board->Command1->isVisible());
        // The board as read; the new result is not in it.
        verifyRows(board,
                   {"Ann", "Bob", "Cy", "Dee", "Ed", "Flo", "Gus", "Hal", "Ivy", "Jo"},
                   {"500", "300", "300", "100", "90", "80", "70", "60", "50", "40"});

        QVERIFY(player.stops >= 1); // the recording is loaded only after a stop
        QCOMPARE(player.played.size(), 1);
        QCOMPARE(player.played[0].buffer, &board->boardWav);
        QCOMPARE(player.played[0].mode, PlayMode::Async);
        const QByteArray cheerful = catalogue::loadData(catalogue::RoundSound, "WAV");
        QVERIFY(cheerful.startsWith("RIFF"));
        QCOMPARE(player.played[0].bytes, cheerful);
    }

    // The child who played is offered as the name; one the board cannot keep is not.
    void childWhoPlayedIsOffered_data()
    {
        QTest::addColumn<QString>("child");
        QTest::addColumn<QString>("offered");
        QTest::newRow("no child") << "" << "";
        QTest::newRow("a child") << "朵朵" << "朵朵";
        QTest::newRow("outside GBK") << "Mia🐱" << "";
    }
    void childWhoPlayedIsOffered()
    {
        QFETCH(QString, child);
        QFETCH(QString, offered);
        QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest")).clear();
        int id = ChildList::noChild;
        if (!child.isEmpty())
            QVERIFY(ChildList().add(child, ChildList::pictureChoices()[0], &id) == ChildList::Refusal::None);
        window->rules().chooseChild(id);
        window->rules().List1_Click();
        Form3 *board = gameOver(0);
        QCOMPARE(board->Text1->text(), offered);
        QCOMPARE(board->Text1->selectedText(), offered);
        if (offered.isEmpty())
            return;
        QTest::keyClick(board->Text1, Qt::Key_Return);
        QVERIFY(readAll(path).startsWith(toGbk(offered + u',')));
        QVERIFY(!board->isVisible());
    }

    void noPlaceShowsBoardOnly()
    {
        writeAll(path, ladderFile);
        Form3 *board = gameOver(40);
        QCOMPARE(board->newRank, qint16(-1));
        QCOMPARE(board->Labt->text(), QStringLiteral("排行榜"));
        QVERIFY(board->Labt->isVisible());
        QVERIFY(board->Text1->isHidden());
        QVERIFY(board->Command1->isHidden());
        QCOMPARE(board->Label1(9)->text(), QStringLiteral("Jo"));
        QVERIFY(!window->isEnabled());

        // Enter has nowhere to go; closing is the way out.
        QTest::keyClick(board, Qt::Key_Return);
        QVERIFY(board->isVisible());
        board->close();
        QVERIFY(window->isEnabled());
        QCOMPARE(readAll(path), ladderFile);

        QVERIFY(player.stops >= 1);
        QCOMPARE(player.played.size(), 1);
        QCOMPARE(player.played[0].buffer, &board->boardWav);
        QCOMPARE(player.played[0].mode, PlayMode::Async);
        const QByteArray sad = catalogue::loadData(catalogue::NoPlaceSound, "WAV");
        QVERIFY(sad.startsWith("RIFF"));
        QCOMPARE(player.played[0].bytes, sad);
    }

    void defaultBoardReplaysLastShowingsSound()
    {
        writeAll(path, ladderFile);
        Form3 *board = gameOver(40);
        const QByteArray lastSound = board->boardWav;
        board->close();
        QFile::remove(path);
        player.clear();

        gameOver(10);
        QCOMPARE(player.stops, 0); // no recording was loaded
        QCOMPARE(player.played.size(), 1);
        QCOMPARE(player.played[0].buffer, &board->boardWav);
        QCOMPARE(player.played[0].bytes, lastSound);
        // The default board puts the result on top, though the last showing gave no place.
        QVERIFY(board->Text1->isVisible());
        QCOMPARE(board->Labt->text(), congratulation);
    }

    void soundOutlivesWindow()
    {
        writeAll(path, ladderFile);
        Form3 *board = gameOver(1000);
        enterName(board, QStringLiteral("Tom"));
        QVERIFY(!board->isVisible());
        QCOMPARE(player.stops, 1); // only the one before loading the recording
    }

    // --- the window itself ---

    void layout()
    {
        Form3 *board = gameOver(5);
        QCOMPARE(board->windowTitle(), QStringLiteral("排行榜"));
        QCOMPARE(board->size(), QSize(312, 339));
        QCOMPARE(board->minimumSize(), board->maximumSize());
        QVERIFY(!(board->windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(board->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(board->palette().color(QPalette::Window), QColor(Qt::white));

        QCOMPARE(board->Labt->geometry(), QRect(32, 24, 217, 25));
        QCOMPARE(board->Labt->alignment(), Qt::AlignCenter);
        QCOMPARE(board->Labt->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(board->Labt->font().bold());
        QCOMPARE(board->Labt->font().pointSizeF(), 9.0);
        QCOMPARE(board->Labt->font().families().value(0), QStringLiteral("宋体"));
        QCOMPARE(board->Text1->geometry(), QRect(32, 48, 209, 25));
        QCOMPARE(board->Command1->geometry(), QRect(256, 48, 41, 25));
        QCOMPARE(board->Command1->text(), QStringLiteral("确认"));
        QCOMPARE(board->Text1->nextInFocusChain(), board->Command1);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(board->Label1(i)->geometry(), QRect(32, 80 + 24 * i, 81, 25));
            QCOMPARE(board->Label2(i)->geometry(), QRect(160, 80 + 24 * i, 89, 25));
            QVERIFY(board->Label1(i)->isVisible());
            QVERIFY(board->Label2(i)->isVisible());
            QCOMPARE(board->Label1(i)->palette().color(QPalette::Window), QColor(Qt::white));
        }
    }

    void nameBoxHasFocus()
    {
        Form3 *board = gameOver(5);
        QVERIFY(QTest::qWaitForWindowActive(board, 60000));
        QCOMPARE(QApplication::focusWidget(), board->Text1);
        QVERIFY(board->Text1->hasFocus());
    }

    // Over the full-screen game: centred, kept above it, the name box ready.
    void nameBoxHasFocusOverTheFullScreenGame()
    {
        window->companionStack().setFullScreen(true);
        Form3 *board = gameOver(5);
        const QWidget &view = window->companionStack().fullScreenView();
        QVERIFY(nearlyCentred(board, &view));
        QCOMPARE(board->windowHandle()->transientParent(), view.windowHandle());
        QVERIFY(QTest::qWaitForWindowActive(board, 60000));
        QVERIFY(board->Text1->hasFocus());
    }

    void namesAreShownAsPlainText()
    {
        writeAll(path, "<b>x</b>,9\r\n<img src=a.png>,8\r\n");
        Form3 *board = gameOver(1);
        QCOMPARE(board->Label1(0)->text(), QStringLiteral("<b>x</b>"));
        QCOMPARE(board->Label1(1)->text(), QStringLiteral("<img src=a.png>"));
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(board->Label1(i)->textFormat(), Qt::PlainText);
            QCOMPARE(board->Label2(i)->textFormat(), Qt::PlainText);
        }
        QCOMPARE(board->Labt->textFormat(), Qt::PlainText);
    }

    // --- entering a name ---

    void enterWithEmptyBoxDoesNothing()
    {
        writeAll(path, ladderFile);
        Form3 *board = gameOver(1000);
        QTest::keyClick(board->Text1, Qt::Key_Return);
        QTest::mouseClick(board->Command1, Qt::LeftButton);
        QVERIFY(board->isVisible());
        QVERIFY(!window->isEnabled());
        QCOMPARE(readAll(path), ladderFile);
    }

    void nameAndEnterSavesAndCloses()
    {
        writeAll(path, ladderFile);
        Form3 *board = gameOver(300);
        enterName(board, QStringLiteral("Zoe"));
        QVERIFY(!board->isVisible());
        QVERIFY(window->isEnabled());
        QCOMPARE(readAll(path), rows(ladderFile, 0, 3) + "Zoe,300\r\n" + rows(ladderFile, 3, 9));
    }

    void keypadEnterAndButtonSaveToo()
    {
        writeAll(path, ladderFile);
        Form3 *board = gameOver(1000);
        QTest::keyClicks(board->Text1, QStringLiteral("Kim"));
        QTest::keyClick(board->Text1, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(!board->isVisible());
        QVERIFY(readAll(path).startsWith("Kim,1000\r\nAnn,500\r\n"));

        board = gameOver(1001);
        QTest::keyClicks(board->Text1, QStringLiteral("Lu"));
        QTest::mouseClick(board->Command1, Qt::LeftButton);
        QVERIFY(!board->isVisible());
        QVERIFY(readAll(path).startsWith("Lu,1001\r\nKim,1000\r\n"));
    }

    void chineseNameIsSavedInGbk()
    {
        Form3 *board = gameOver(7);
        enterName(board, QStringLiteral("小明"));
        QVERIFY(readAll(path).startsWith("\xD0\xA1\xC3\xF7,7\r\n"));
    }

    void nameIsSavedExactlyAsTyped()
    {
        Form3 *board = gameOver(7);
        enterName(board, QStringLiteral(" a,b "));
        QVERIFY(readAll(path).startsWith(" a\xA3\xAC" "b ,7\r\n"));
    }

    void nameBoxRefusesWhatTheFileCannotHold()
    {
        Form3 *board = gameOver(7);
        QLineEdit *box = board->Text1;
        box->insert(QStringLiteral("小明"));
        box->insert(QStringLiteral("\U0001F600"));
        box->insert(QStringLiteral("a\nb"));
        box->insert(QStringLiteral("c\r\n"));
        QCOMPARE(box->text(), QStringLiteral("小明"));
        QTest::keyClicks(box, QStringLiteral("x\ty"));
        QCOMPARE(box->text(), QStringLiteral("小明xy"));
        // Forty characters at most: the row shows far fewer anyway.
        box->clear();
        box->insert(QString(50, u'名'));
        QCOMPARE(box->text().size(), 40);
    }

    void closingByFrameSavesNothing()
    {
        writeAll(path, ladderFile);
        Form3 *board = gameOver(1000);
        QTest::keyClicks(board->Text1, QStringLiteral("Tom"));
        board->close();
        QVERIFY(!board->isVisible());
        QVERIFY(window->isEnabled());
        QCOMPARE(readAll(path), ladderFile);
    }

    void closingMainWindowClosesBoard()
    {
        Form3 *board = gameOver(1);
        window->close();
        QVERIFY(!board->isVisible());
        QCOMPARE(readAll(path), defaultFile);
    }

    // --- showing again ---

    void secondShowingShowsNewRowWithFreshControls()
    {
        writeAll(path, ladderFile);
        Form3 *board = gameOver(95);
        QPointer<QLabel> oldRow = board->Label1(4);
        enterName(board, QStringLiteral("Max"));

        board = gameOver(0);
        QCOMPARE(board->newRank, qint16(-1));
        QCOMPARE(board->Label1(4)->text(), QStringLiteral("Max"));
        QCOMPARE(board->Label2(4)->text(), QStringLiteral("95"));
        QCOMPARE(board->Label1(5)->text(), QStringLiteral("Ed"));
        QCOMPARE(board->Label1(9)->text(), QStringLiteral("Ivy"));
        QVERIFY(board->Label1(4) != oldRow);
        QVERIFY(board->Text1->isHidden());

        // The last showing's controls are gone once deferred deletes have run.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(oldRow.isNull());
        QCOMPARE(board->findChildren<QLabel *>().size(), 21);
        for (int i = 0; i < 10; ++i)
            QCOMPARE(board->Label1(i)->geometry(), QRect(32, 80 + 24 * i, 81, 25));
    }

    void showingAgainWhileOpenKeepsOneSetOfControls()
    {
        Form3 *board = gameOver(1);
        gameOver(2);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(board->findChildren<QLabel *>().size(), 21);
        QCOMPARE(board->findChildren<QLineEdit *>().size(), 1);
        QCOMPARE(board->Label1.count(), 10);
    }

    // Rows a board file cannot fill keep what that same file's board held in
    // this run, and at its first showing an empty name and 0: never the rows
    // of another set's board shown meanwhile.
    void unreadableRowsKeepThatBoardsValues_data()
    {
        QTest::addColumn<QString>("first"); // a set's number or an own set's id
        QTest::addColumn<QString>("between");
        QTest::newRow("set 1, set 2 between") << "1" << "2";
        QTest::newRow("own set, set 1 between") << "mine" << "1";
        QTest::newRow("set 2, own set between") << "2" << "mine";
    }
    void unreadableRowsKeepThatBoardsValues()
    {
        QFETCH(QString, first);
        QFETCH(QString, between);
        Form3 board(*window, player, BoardLocation(window->sPath));
        const auto show = [&](const QString &set, const QByteArray &rows, int score) {
            const bool own = !set.front().isDigit();
            board.grd = qint16(set.toShort());
            board.boardFileName = own ? "kivora-" + set + ".tmp" : QString();
            board.fcount = score;
            const QString file = own ? "/data/wordnest/" + board.boardFileName : "/kivora" + set + ".tmp";
            QVERIFY(QDir().mkpath(folder->path() + "/data/wordnest") && writeAll(folder->path() + file, rows));
            board.Show();
        };
        show(first, ladderFile, 0);
        board.close();
        show(between, "Al,9\r\nYo,7\r\n", 8);
        enterName(&board, QStringLiteral("Kim"));
        QCOMPARE(readAll(board.boardPath), "Al,9\r\nKim,8\r\nYo,7\r\n" + QByteArray(",0\r\n").repeated(7));
        show(first, "x,abc\r\n", 0);
        verifyRows(&board, {"x", "Bob", "Cy", "Dee", "Ed", "Flo", "Gus", "Hal", "Ivy", "Jo"},
                   {"500", "300", "300", "100", "90", "80", "70", "60", "50", "40"});
    }

    // --- saves that fail ---

    void failedSave_data()
    {
        QTest::addColumn<QString>("blocker"); // a file where a folder should be
        QTest::addColumn<QString>("dataHome");
        QTest::newRow("data folder blocked by a file") << QStringLiteral("/data/wordnest")
                                                       << QStringLiteral("/data");
        QTest::newRow("data home is a file") << QStringLiteral("/home-file") << QStringLiteral("/home-file");
    }

    void failedSave()
    {
        QFETCH(QString, blocker);
        QFETCH(QString, dataHome);
        // No program folder to write to, and no data folder can be made.
        window->sPath = folder->path() + QStringLiteral("/missing/");
        QVERIFY(QDir().mkpath(folder->path() + QStringLiteral("/data")));
        QVERIFY(writeAll(folder->path() + blocker, "not a folder"));
        qputenv("XDG_DATA_HOME", QFile::encodeName(folder->path() + dataHome));

        Form3 *board = gameOver(3);
        // The default board could not be written either, silently.
        QCOMPARE(board->newRank, qint16(0));
        QCOMPARE(board->Label1(0)->text(), QStringLiteral("0"));
        QCOMPARE(board->Labt->text(), congratulation);

        enterName(board, QStringLiteral("Tom"));
        QVERIFY(board->isVisible());
        QVERIFY(!window->isEnabled());
        QCOMPARE(board->Text1->text(), QStringLiteral("Tom"));
        QVERIFY(board->Labt->text().contains(QStringLiteral("没能保存")));

        board->close();
        QVERIFY(window->isEnabled());
        QCOMPARE(readAll(folder->path() + blocker), QByteArray("not a folder"));
        QVERIFY(!QFileInfo::exists(folder->path() + QStringLiteral("/missing")));
    }

    // --- a board that is there but cannot be read ---

    void unreadableBoardIsLeftAlone_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("directory in place of the file") << 0;
        QTest::newRow("fifo in place of the file") << 1;
        QTest::newRow("link to nowhere") << 2;
    }

    void unreadableBoardIsLeftAlone()
    {
        QFETCH(int, kind);
        const QString target = folder->path() + QStringLiteral("/gone");
        if (kind == 0)
            QVERIFY(QDir().mkpath(path));
        else if (kind == 1)
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QFile::link(target, path));

        Form3 *board = gameOver(3000);
        QCOMPARE(board->Labt->text(), QStringLiteral("排行榜没能读出来。"));
        QCOMPARE(board->newRank, qint16(-1));
        QVERIFY(board->Text1->isHidden());
        QVERIFY(board->Command1->isHidden());
        verifyRows(board, QStringList(10, QString()), QStringList(10, QString()));
        QTest::keyClick(board, Qt::Key_Return);
        QVERIFY(board->isVisible());
        board->close();
        QVERIFY(window->isEnabled());

        const QFileInfo after(path);
        QCOMPARE(after.isDir(), kind == 0);
        QCOMPARE(after.isSymLink(), kind == 2);
        struct stat info{};
        QCOMPARE(lstat(QFile::encodeName(path).constData(), &info), 0);
        QCOMPARE(S_ISFIFO(info.st_mode), kind == 1);
        QVERIFY(!QFileInfo::exists(target));
        QCOMPARE(QDir(folder->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("kivora1.tmp")});
    }

    // --- where the board lives ---

    void programFolderNotWritableUsesDataFolder()
    {
        window->sPath = folder->path() + QStringLiteral("/missing/");
        const QString dataBoard = folder->path() + QStringLiteral("/data/wordnest/kivora1.tmp");
        Form3 *board = gameOver(3);
        QCOMPARE(board->boardPath, dataBoard);
        QCOMPARE(readAll(dataBoard), defaultFile);
        enterName(board, QStringLiteral("Tom"));
        QVERIFY(!board->isVisible());
        QVERIFY(readAll(dataBoard).startsWith("Tom,3\r\n0,0\r\n"));
        QVERIFY(!QFileInfo::exists(folder->path() + QStringLiteral("/missing")));
    }

    void fullDiskKeepsOldFileAndAllowsRetry()
    {
        writeAll(path, ladderFile);
        Form3 *board = gameOver(1000);
        QTest::keyClicks(board->Text1, QStringLiteral("Tom"));
        {
            FullDisk full;
            QTest::keyClick(board->Text1, Qt::Key_Return);
        }
        QCOMPARE(readAll(path), ladderFile);
        QVERIFY(board->isVisible());
        QCOMPARE(board->Text1->text(), QStringLiteral("Tom"));
        QVERIFY(board->Labt->text().contains(QStringLiteral("没能保存")));
        QCOMPARE(QDir(folder->path()).entryList(QDir::Files), QStringList{QStringLiteral("kivora1.tmp")});

        QTest::keyClick(board->Text1, Qt::Key_Return);
        QVERIFY(!board->isVisible());
        QVERIFY(window->isEnabled());
        QVERIFY(readAll(path).startsWith("Tom,1000\r\nAnn,500\r\n"));
    }

    // Another game saved first: the window shows the board as it is now and takes no name.
    void boardChangedUnderOpenWindow_data()
    {
        QTest::addColumn<QByteArray>("atOpen"); // "" no board
        QTest::addColumn<int>("score");
        QTest::addColumn<QByteArray>("changed");
        QTest::newRow("no place on the fresh board") << ladderFile << 41 << "Zed,600\r\n" + rows(ladderFile, 0, 9);
        QTest::newRow("new board, another game saved first") << QByteArray() << 0 << "Ann,5\r\n" + defaultFile;
    }

    void boardChangedUnderOpenWindow()
    {
        QFETCH(QByteArray, atOpen);
        QFETCH(int, score);
        QFETCH(QByteArray, changed);
        QVERIFY(atOpen.isEmpty() || writeAll(path, atOpen));
        Form3 *board = gameOver(score);
        QVERIFY(writeAll(path, changed));
        enterName(board, QStringLiteral("Kim"));
        QCOMPARE(readAll(path), changed);
        QCOMPARE(board->Labt->text(), QStringLiteral("排行榜刚刚变了，这次没有上榜。"));
        QVERIFY(board->Text1->isHidden() && board->Command1->isHidden());
        QCOMPARE(board->Label1(0)->text().toLatin1(), changed.left(3));
    }
};

QTEST_MAIN(Form3Test)
#include "tst_form3.moc"
