#include "forms/form1.h"
#include "forms/form2.h"
#include "corner/cornerbutton.h"
#include "corner/cornerwindow.h"
#include "children/childdialog.h"
#include "children/childpicker.h"
#include "children/childrenpage.h"
#include "children/childtile.h"
#include "children/whoisplayingbutton.h"
#include "corner/grownupcheck.h"
#include "corner/wordsetspage.h"
#include "corner/wordsettile.h"
#include "wordsets/rememberedset.h"
#include "forms/form3.h"
#include "ui/fullscreenview.h"
#include "ui/companionstack.h"
#include "support/closingendstherun.h"
#include "support/recordingplayer.h"
#include "support/windowplace.h"
#include "catalogue/catalogue.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSettings>
#include <QTextDocumentFragment>
#include <QTemporaryDir>
#include <QtTest>

// The help window: its text, and how it takes the main window's input while
// it is open and gives it back when it closes.
class HelpTest : public QObject
{
    Q_OBJECT

    static Form1 *openHelp()
    {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *help = qobject_cast<Form1 *>(top); help && help->isVisible())
                return help;
        return nullptr;
    }
    // The help or the grown-ups' corner, opened over the game.
    static QWidget *openCompanion(Form2 &window, bool corner)
    {
        if (!corner) {
            window.PicBh_Click();
            return openHelp();
        }
        window.cornerButton->open();
        return window.cornerButton->cornerWindow();
    }
    static void answer(CornerWindow *corner, int number)
    {
        QTest::keyClicks(corner->check->answerBox, QString::number(number));
        QTest::keyClick(corner->check->answerBox, Qt::Key_Return);
    }

    QTemporaryDir settingsFolder;

private slots:
    void initTestCase()
    {
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME"})
            qputenv(name, settingsFolder.path().toLocal8Bit());
    }

    void text()
    {
        const QString text = Form1::helpText();
        QCOMPARE(text.size(), 227);
        QVERIFY(text.startsWith(QStringLiteral("游戏目的：帮助儿童掌握一些简单的英文单词")));
        QVERIFY(text.endsWith(QStringLiteral("可以点击书包帮助你")));
        // Five paragraphs, one empty line between each, no break at the end.
        const QStringList paragraphs = text.split(QStringLiteral("\r\n\r\n"));
        QCOMPARE(paragraphs.size(), 5);
        for (const QString &paragraph : paragraphs) {
            QVERIFY(!paragraph.isEmpty());
            QVERIFY(!paragraph.contains(u'\r') && !paragraph.contains(u'\n'));
        }
        QVERIFY(paragraphs[1].startsWith(QStringLiteral("玩法：第一级")));
        QVERIFY(paragraphs[1].contains(QStringLiteral("左边的10个图片")));
        QVERIFY(paragraphs[4].startsWith(QStringLiteral("第四级")));
        // Full-width punctuation only.
        QVERIFY(!text.contains(u',') && !text.contains(u':'));
        QCOMPARE(text.count(u'：'), 2);
    }

    void opensBesideTheGameAndGivesItBack()
    {
        RecordingPlayer player;
        Form2 window(player);
        window.show();
        QVERIFY(!openHelp());
        QTest::mouseClick(window.PicBh, Qt::LeftButton);
        QPointer<Form1> help = openHelp();
        QVERIFY(help);
        QVERIFY(!window.isEnabled());
        QVERIFY(help->isEnabled()); // a window of its own, not a child of the disabled one
        QVERIFY(!help->parentWidget());
        QCOMPARE(help->windowTitle(), QStringLiteral("Form1"));
        QCOMPARE(help->size(), QSize(411, 293));
        QCOMPARE(help->Label1->geometry(), QRect(16, 16, 385, 249));
        QVERIFY(help->Label1->wordWrap());
        QCOMPARE(help->Label1->text(), Form1::helpText());
        QCOMPARE(help->palette().color(QPalette::Window), QColor(Qt::white));

        // While it is open the main window takes no clicks.
        QTest::mouseClick(window.PicBh, Qt::LeftButton);
        QTest::mouseClick(window.PicB, Qt::LeftButton);
        QVERIFY(!window.rules().gameOn);

        help->close();
        QTRY_VERIFY_WITH_TIMEOUT(!help, 60000); // destroyed, to be built anew next time
        QVERIFY(window.isEnabled());

        QTest::mouseClick(window.PicBh, Qt::LeftButton);
        QPointer<Form1> again = openHelp();
        QVERIFY(again);
        QCOMPARE(again->Label1->text(), Form1::helpText());
        again->close();
        QVERIFY(window.isEnabled());
    }

    void gameGoesOnBehindTheHelp()
    {
        RecordingPlayer player;
        Form2 window(player);
        window.show();
        window.PicB_Click();
        window.PicBh_Click();
        QVERIFY(!window.isEnabled());
        QVERIFY(window.Timer1.isActive());
        QVERIFY(window.Timerboy.isActive());
        for (int tick = 0; tick < 50; ++tick)
            window.Timer1_Timer();
        QCOMPARE(window.rules().lives, qint16(4));
        // A picture cannot be clicked meanwhile.
        const auto wrongPick = [&window] { return window.LabelP((window.rules().qOrder[0] + 1) % 10); };
        QTest::mouseClick(wrongPick(), Qt::LeftButton);
        QCOMPARE(window.rules().lives, qint16(4));
        openHelp()->close();
        QVERIFY(window.isEnabled());
        QVERIFY(window.Timer1.isActive());
        QTest::mouseClick(wrongPick(), Qt::LeftButton);
        QCOMPARE(window.rules().lives, qint16(3));
    }

    // Help left open while the clock runs out: the leaderboard opens beside it.
    // Whichever of the two closes first, the main window stays disabled (no
    // new game can start behind the name box) until both are closed.
    void helpAndLeaderboardBothHoldTheMainWindow_data()
    {
        QTest::addColumn<bool>("helpClosesFirst");
        QTest::newRow("help closed first") << true;
        QTest::newRow("leaderboard closed first") << false;
    }

    void helpAndLeaderboardBothHoldTheMainWindow()
    {
        QFETCH(bool, helpClosesFirst);
        QTemporaryDir folder;
        RecordingPlayer player;
        Form2 window(player);
        window.sPath = folder.path() + u'/';
        window.show();
        window.PicB_Click();
        window.PicBh_Click();
        QPointer<Form1> help = openHelp();

        // Five questions left to time out.
        for (int tick = 0; tick < 5 * 50 && window.rules().gameOn; ++tick)
            window.Timer1_Timer();
        QVERIFY(!window.rules().gameOn);
        Form3 *board = window.leaderboardWindow();
        QVERIFY(board && board->isVisible());
        QVERIFY(help && help->isVisible());
        QVERIFY(!window.isEnabled());

        if (helpClosesFirst)
            help->close();
        else
            board->close();
        QVERIFY(!window.isEnabled());
        QTest::mouseClick(window.PicB, Qt::LeftButton);
        QVERIFY(!window.rules().gameOn);

        if (helpClosesFirst)
            board->close();
        else
            help->close();
        QVERIFY(window.isEnabled());
        QTest::mouseClick(window.PicB, Qt::LeftButton);
        QVERIFY(window.rules().gameOn);
    }

    // A tap, a held button or mashed keys do not open the grown-ups' corner;
    // the sum does. The set chosen there is the next game's, and the next start's.
    // "已选" marks the saved choice; a set given for this run only is marked apart.
    void grownUpsCornerBehindASum_data()
    {
        QTest::addColumn<QString>("thisRun"); // as `--words` gives it; 1 is the saved choice, none made yet
        QTest::newRow("the saved choice plays") << "1";
        QTest::newRow("--words 2") << "2";
    }
    void grownUpsCornerBehindASum()
    {
        QFETCH(QString, thisRun);
        QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest")).clear();
        RecordingPlayer player;
        Form2 window(player);
        window.rules().chooseWordSet(WordSets().find(thisRun));
        window.show();
        QTest::mouseClick(window.cornerButton, Qt::LeftButton);
        QPointer<CornerWindow> corner = window.cornerButton->cornerWindow();
        QVERIFY(corner && corner->isVisible());
        QVERIFY(!window.isEnabled());
        QTest::mouseClick(corner->check->okButton, Qt::LeftButton);
        QTest::mousePress(corner->check->okButton, Qt::LeftButton);
        QTest::keyClicks(corner->check->answerBox, QStringLiteral("aaaa"));
        QTest::keyClick(corner->check->answerBox, Qt::Key_Return);
        for (int i = 0; i < 100; ++i) { // every wrong answer brings another sum
            const QString before = corner->check->question();
            answer(corner, corner->check->answer() + 1);
            QVERIFY(corner->check->question() != before);
        }
        QVERIFY(!corner->isUnlocked());
        answer(corner, corner->check->answer());
        QVERIFY(corner->isUnlocked());

        const QList<WordSetTile *> &tiles = corner->wordSetsPage->tiles();
        QCOMPARE(tiles.size(), 7);
        QVERIFY(!tiles[6]->isEnabled()); // the tricky words, with no record yet
        QVERIFY(tiles[0]->isChosen() && !tiles[1]->isChosen() && !tiles[2]->isChosen());
        QCOMPARE(tiles[1]->isPlayingOnce() && !tiles[0]->isPlayingOnce(), thisRun != "1");
        QTest::mouseClick(tiles[2], Qt::LeftButton);
        QVERIFY(tiles[2]->isChosen() && !tiles[0]->isChosen());
        QCOMPARE(window.rules().chosenWordSet().id(), QStringLiteral("3"));
        QTest::mouseClick(corner->findChildren<QRadioButton *>().at(2), Qt::LeftButton, {}, QPoint(8, 8));
        corner->close();
        QVERIFY(window.isEnabled());
        window.PicB_Click();
        QCOMPARE(window.rules().wordSource().id(), QStringLiteral("3"));
        QCOMPARE(window.rules().pace(), Pace::Untimed); // kept in the settings, read as a game starts
        QVERIFY(!window.cornerButton->isEnabled()); // not during a game

        // A restart, as the program starts.
        Form2 again(player);
        again.rules().chooseWordSet(WordSets().find(rememberedWordSet()));
        QCOMPARE(again.rules().chosenWordSet().id(), QStringLiteral("3"));
    }

    // The add dialog says at once what is wrong with a name, and offers no
    // picture another child has; the page adds, changes and removes children,
    // and the game and the word sets page follow whose games come next.
    void childrenInTheCorner_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("picture"); // 0: the one preselected
        QTest::addColumn<QString>("problem");
        QTest::newRow("a new name") << " Leo " << 0 << "";
        QTest::newRow("taken, other case") << " mia " << 0 << "已经有一个叫这个名字的孩子。";
        QTest::newRow("taken picture") << "Leo" << ChildList::pictureChoices()[0] << "";
        QTest::newRow("tab") << "Le\to" << 0 << "名字里不能有换行或制表符。";
        QTest::newRow("markup shown as typed") << "<b>Leo & Mia</b>" << 0 << "";
    }
    void childrenInTheCorner()
    {
        QFETCH(QString, typed);
        QFETCH(int, picture);
        QFETCH(QString, problem);
        QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest")).clear();
        int mia = 0;
        QVERIFY(ChildList().add(QStringLiteral("Mia"), ChildList::pictureChoices()[0], &mia) == ChildList::Refusal::None);
        RecordingPlayer player;
        Form2 window(player);
        window.playAs(ChildList().current());
        window.show();
        window.cornerButton->open();
        CornerWindow *corner = window.cornerButton->cornerWindow();
        answer(corner, corner->check->answer());
        QCOMPARE(corner->pages->tabText(1), QStringLiteral("孩子们"));
        QCOMPARE(corner->wordSetsPage->findChild<QLabel *>("whoseChoice")->text().left(7), QStringLiteral("为 Mia 选"));
        ChildrenPage *page = corner->childrenPage;
        QCOMPARE(page->tiles().size(), 1);

        bool accepted = false, greyed = false;
        int chosen = 0;
        QString said;
        page->runDialog = [&](ChildDialog &dialog) {
            // Mia's picture is greyed: no click makes it the chosen one.
            QListWidgetItem *hers = dialog.pictures->item(0);
            greyed = !(hers->flags() & Qt::ItemIsEnabled);
            if (picture)
                QTest::mouseClick(dialog.pictures->viewport(), Qt::LeftButton, {},
                                  dialog.pictures->visualItemRect(hers).center());
            chosen = dialog.picture();
            dialog.nameBox->setText(typed);
            said = dialog.problem->text();
            return accepted = dialog.okButton->isEnabled();
        };
        page->askAdd();
        QVERIFY(greyed);
        QCOMPARE(chosen, ChildList::pictureChoices()[1]); // the first free one, whatever was clicked
        QCOMPARE(said, problem);
        QCOMPARE(accepted, problem.isEmpty());
        QCOMPARE(page->tiles().size(), accepted ? 2 : 1);
        QCOMPARE(window.whoIsPlaying->isVisible(), accepted);
        if (!accepted)
            return;
        const Child added = ChildList().children().at(1);
        QCOMPARE(added.name, typed.trimmed());
        QCOMPARE(page->tiles().at(1)->name(), typed.trimmed());

        // Chosen for the new child: the corner's choices become theirs.
        window.whoIsPlaying->openPicker();
        QTest::mouseClick(window.whoIsPlaying->picker()->tiles().at(1), Qt::LeftButton);
        QCOMPARE(window.rules().child(), added.id);
        QCOMPARE(QTextDocumentFragment::fromHtml(window.whoIsPlaying->toolTip()).toPlainText(), added.name);
        QVERIFY(corner->wordSetsPage->findChild<QLabel *>("whoseChoice")->text().contains(added.name));
        QTest::mouseClick(corner->wordSetsPage->tiles().at(1), Qt::LeftButton);
        QCOMPARE(rememberedWordSet(added.id), QStringLiteral("2"));
        QVERIFY(rememberedWordSet(mia).isEmpty());

        // Renamed to Mia's name: refused, said on the page, nothing changed.
        page->pick(added.id);
        page->runDialog = [](ChildDialog &dialog) {
            dialog.nameBox->setText(QStringLiteral("MIA"));
            return true; // as if OK could be pressed: the list itself refuses
        };
        page->askChange();
        QCOMPARE(page->message->text(), QStringLiteral("已经有一个叫这个名字的孩子。"));
        QCOMPARE(ChildList().nameOf(added.id), added.name);
        // Removed, answers kept: a former child; the game plays as Mia again.
        page->confirmRemove = [](const Child &) { return std::optional<bool>(false); };
        page->askRemove();
        QCOMPARE(page->tiles().size(), 1);
        QCOMPARE(page->formerLine->text(), QStringLiteral("以前的孩子（答题记录还留着）：") + added.name);
        QCOMPARE(window.rules().child(), mia);
        QVERIFY(!window.whoIsPlaying->isVisible());
        // A class list a later start handed over shows in the open corner and on the panel.
        QVERIFY(ChildList().addAll({QStringLiteral("Ada"), QStringLiteral("Bo")}) == ChildList::Refusal::None);
        window.childrenChanged();
        QCOMPARE(page->tiles().size(), 3);
        QVERIFY(window.whoIsPlaying->isVisible());
    }

    // Whatever the order of F11, Esc and opening and closing the help and the
    // leaderboard, every open companion is centred over the window the game
    // is in and is its dialog, the last opened has the keyboard, and the game
    // takes input only with none open. Keys go where the keyboard is: Esc in
    // the name box leaves full screen and keeps the typed name. Closing the
    // game's window then ends the run, with nothing of the game going on.
    // Only P pauses (none of the above does), F11 and Esc leave the pause as
    // it is, and a key or a click on the game, in full screen too, goes on.
    void companionsStayOverTheGame_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::newRow("help, board, F11 twice, help closed first")
            << "full help board game F11 F11 -help Esc F11 -board Esc close";
        QTest::newRow("board closed first, full screen")
            << "help board F11 -board F11 Esc -help F11 close";
        QTest::newRow("Esc from the help") << "full help Esc F11 -help Esc";
        QTest::newRow("board alone") << "board F11 game Esc F11 -board F11";
        QTest::newRow("grown-ups' corner") << "corner F11 game Esc F11 -corner Esc close";
        QTest::newRow("who is playing, from full screen") << "full picker game F11 F11 -picker close";
        QTest::newRow("closed with the help, after full screen") << "full Esc help close";
        QTest::newRow("closed with the board, after F11 twice") << "game F11 F11 board close";
        QTest::newRow("paused in and out of full screen") << "game P F11 click P Esc key F11 P key help close";
    }
    void companionsStayOverTheGame()
    {
        QFETCH(QString, steps);
        QTemporaryDir folder;
        RecordingPlayer player;
        Form2 window(player);
        window.sPath = folder.path() + u'/';
        window.setVisible(!steps.startsWith(u"full")); // else started full screen, as --fullscreen does
        window.PicB_Click();
        CompanionStack &stack = window.companionStack();
        bool full = false, paused = false;
        QList<QWidget *> open;
        for (const QString &step : steps.split(u' ')) {
            if (step == "full")
                window.companionStack().setFullScreen(full = true);
            else if (step == "help")
                window.PicBh_Click(), open.append(openHelp());
            else if (step == "corner")
                window.cornerButton->open(), open.append(window.cornerButton->cornerWindow());
            else if (step == "picker")
                window.whoIsPlaying->openPicker(), open.append(window.whoIsPlaying->picker());
            else if (step == "board")
                window.rules().GameOver(), open.append(window.leaderboardWindow());
            else if (step == "game") // clicked: the window system activates it at once
                QApplication::setActiveWindow(stack.gameWindow());
            else if (step == "close") {
                QVERIFY(full || window.testAttribute(Qt::WA_QuitOnClose));
                QVERIFY(closingEndsTheRun(stack.gameWindow()));
                QVERIFY(!window.Timer1.isActive() && !window.Timer2.isActive() && stack.companions().isEmpty());
                return;
            } else if (step == "P" || step == "key")
                QTest::keyClick(QApplication::focusWidget(), step == "P" ? Qt::Key_P : Qt::Key_A), paused = step == "P";
            else if (step == "click")
                QTest::mouseClick(stack.gameWindow(), Qt::LeftButton), paused = false;
            else if (step.startsWith(u'-'))
                open.takeAt(step == "-help" ? 0 : open.size() - 1)->close();
            else
                QTest::keyClick(QApplication::focusWidget(), step == "F11" ? Qt::Key_F11 : Qt::Key_Escape),
                    full = step == "F11" && !full;
            QWidget *over = stack.gameWindow();
            QCOMPARE(window.companionStack().isFullScreen(), full);
            QCOMPARE(stack.companions(), open);
            QCOMPARE(window.rules().paused(), paused);
            QCOMPARE(window.pauseSign->isVisible(), paused);
            QCOMPARE(window.isEnabled(), open.isEmpty());
            for (QWidget *companion : open) {
                QVERIFY(nearlyCentred(companion, over));
                QCOMPARE(companion->windowHandle()->transientParent(), over->windowHandle());
            }
            QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), open.isEmpty() ? over : open.last(), 60000);
            if (step == "board")
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Ann"));
            if (Form3 *board = window.leaderboardWindow(); board && open.contains(board))
                QCOMPARE(board->Text1->text(), QStringLiteral("Ann"));
        }
    }

    // Closing the main window ends the program even with the help open.
    void closingTheGameClosesTheHelp_data()
    {
        QTest::addColumn<bool>("corner");
        QTest::newRow("help") << false;
        QTest::newRow("grown-ups' corner") << true;
    }
    void closingTheGameClosesTheHelp()
    {
        QFETCH(bool, corner);
        RecordingPlayer player;
        Form2 window(player);
        window.show();
        QPointer<QWidget> help = openCompanion(window, corner);
        QVERIFY(!help->testAttribute(Qt::WA_QuitOnClose));
        window.close();
        QTRY_VERIFY_WITH_TIMEOUT(!help, 60000);
    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
