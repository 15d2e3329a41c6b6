#include "app/form1.h"
#include "app/form2.h"
#include "corner/cornerbutton.h"
#include "leaderboard/form3.h"
#include "media/catalogue.h"
#include "progress/progressreader.h"
#include "progress/questiontally.h"
#include "progresspage/progresspage.h"
#include "progress/sqliterecorder.h"
#include "support/recordingplayer.h"
#include "tests/progress/progresstestutil.h"
#include "words/trickywordset.h"

#include <QComboBox>
#include <QProgressBar>
#include <QTableWidget>
#include <QtTest>

// A game played through its handlers: finds and misses, the question clock,
// the pause between rounds, the levels and the end of a game.
class GameplayTest : public QObject
{
    Q_OBJECT

    QTemporaryDir boardFolder;

    void startGame(Form2 &window)
    {
        window.sPath = boardFolder.path() + QLatin1Char('/');
        window.show();
        window.PicB_Click();
    }
    static qint16 target(const Form2 &window) { return window.qOrder[size_t(window.qNum)]; }
    static qint16 wrongPick(const Form2 &window) { return qint16((target(window) + 1) % 10); }
    static void find(Form2 &window, qint16 ticks)
    {
        window.tickCount = ticks;
        window.Labelp_Click(target(window));
    }
    // Plays the rest of the round, each find after `ticks` ticks.
    static void finishRound(Form2 &window, qint16 ticks = 1)
    {
        while (window.Timer1.isActive())
            find(window, ticks);
    }
    static void endPause(Form2 &window)
    {
        for (int tick = 0; tick < 6; ++tick)
            window.Timer2_Timer();
    }
    static int visibleBalls(const Form2 &window)
    {
        int visible = 0;
        for (int i = 0; i < 5; ++i)
            visible += window.Pics(i)->isVisible();
        return visible;
    }

private slots:
    void init()
    {
        QFile::remove(boardFolder.filePath(QStringLiteral("kivora1.tmp")));
        QFile::remove(boardFolder.filePath(QStringLiteral("kivora2.tmp")));
    }

    void pointsForEachFind_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("startScore");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("expected");
        QTest::newRow("first tick") << 0 << 0 << 1 << 1050;
        QTest::newRow("second tick") << 0 << 0 << 2 << 550;
        QTest::newRow("half to even, even") << 0 << 0 << 16 << 112;   // 50 + 62.5
        QTest::newRow("half to even, odd") << 0 << 1 << 16 << 114;    // 51 + 62.5 -> 113.5
        QTest::newRow("last tick") << 0 << 0 << 50 << 70;
        QTest::newRow("level 2 base") << 1 << 100 << 10 << 260;
        QTest::newRow("level 4 base") << 3 << 0 << 25 << 120;
        QTest::newRow("ceiling") << 0 << 32000 << 1 << 32767;
        QTest::newRow("at the ceiling") << 3 << 32767 << 1 << 32767;
    }
    void pointsForEachFind()
    {
        QFETCH(int, level);
        QFETCH(int, startScore);
        QFETCH(int, ticks);
        QFETCH(int, expected);
        RecordingPlayer player;
        Form2 window(player);
        startGame(window);
        window.level = qint16(level);
        window.score = qint16(startScore);
        find(window, qint16(ticks));
        QCOMPARE(int(window.score), expected);
        QCOMPARE(window.Label2->text(), QString::number(expected));
        QCOMPARE(window.qNum, qint16(1));
        QCOMPARE(window.tickCount, qint16(1)); // the new question's clock
        QVERIFY(window.Timer1.isActive());
        QVERIFY(window.gameOn); // the game goes on at the ceiling too
    }

    // After a find the waiting right-pick sound ends before the next word starts.
    void findSoundsInOrder()
    {
        RecordingPlayer player;
        Form2 window(player);
        startGame(window);
        player.clear();
        find(window, 3);
        QCOMPARE(player.played.size(), 2);
        QCOMPARE(player.played[0].buffer, &window.effectWav);
        QCOMPARE(player.played[0].mode, PlayMode::Wait);
        QCOMPARE(RecordingPlayer::recordingOf(player.played[0].bytes), 122);
        QCOMPARE(player.played[1].buffer, &window.wordWav);
        QCOMPARE(player.played[1].mode, PlayMode::Async);
        QCOMPARE(RecordingPlayer::recordingOf(player.played[1].bytes),
                 101 + window.picWord[size_t(target(window))]);
        QCOMPARE(window.Label3->text(), window.words[size_t(window.picWord[size_t(target(window))])]);
    }

    void roundEnd()
    {
        RecordingPlayer player;
        Form2 window(player);
        startGame(window);
        for (int q = 0; q < 9; ++q)
            find(window, 1);
        const qint16 scoreBefore = window.score;
        const QString label = window.Label2->text();
        const QString word = window.Label3->text();
        player.clear();
        find(window, 1);

        QCOMPARE(window.score, scoreBefore); // the last find earns nothing
        QCOMPARE(window.Label2->text(), label);
        QCOMPARE(window.Label3->text(), word);
        for (int i = 0; i < 10; ++i)
            QVERIFY(window.LabelP(i)->isHidden());
        QVERIFY(window.Picz->isHidden());
        QVERIFY(!window.Timer1.isActive());
        QVERIFY(window.Timer2.isActive());
        QCOMPARE(player.played.size(), 2);
        QCOMPARE(RecordingPlayer::recordingOf(player.played[0].bytes), 122);
        QCOMPARE(RecordingPlayer::recordingOf(player.played[1].bytes), 123);
        QCOMPARE(player.played[1].buffer, &window.effectWav);
        QCOMPARE(player.played[1].mode, PlayMode::Async);
        QCOMPARE(window.level, qint16(1)); // 9 finds of 1050 passed level 1
        QCOMPARE(window.levelScore, scoreBefore);
    }

    void levelRisesOnlyPastItsThreshold_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("levelScore");
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("newLevel");
        QTest::addColumn<int>("newLevelScore");
        QTest::newRow("level 1 exactly 2000") << 0 << 0 << 2000 << 0 << 0;
        QTest::newRow("level 1 past 2000") << 0 << 0 << 2001 << 1 << 2001;
        QTest::newRow("level 2 counts from levelScore") << 1 << 3000 << 5500 << 1 << 3000;
        QTest::newRow("level 2 past 2500") << 1 << 3000 << 5501 << 2 << 5501;
        QTest::newRow("level 3 past 3000") << 2 << 0 << 3001 << 3 << 3001;
        QTest::newRow("level 4 stays, levelScore moves") << 3 << 100 << 3601 << 3 << 3601;
        QTest::newRow("one level at a time") << 0 << 0 << 30000 << 1 << 30000;
    }
    void levelRisesOnlyPastItsThreshold()
    {
        QFETCH(int, level);
        QFETCH(int, levelScore);
        QFETCH(int, score);
        QFETCH(int, newLevel);
        QFETCH(int, newLevelScore);
        RecordingPlayer player;
        Form2 window(player);
        startGame(window);
        window.level = qint16(level);
        window.levelScore = qint16(levelScore);
        window.qNum = 9; // the last question of the round
        window.score = qint16(score);
        find(window, 1);
        QVERIFY(window.Timer2.isActive());
        QCOMPARE(int(window.level), newLevel);
        QCOMPARE(int(window.levelScore), newLevelScore);
    }

    // The old level's room stays through the pause; the new one comes with
    // the next round, which is laid out at the sixth tick.
    void pauseEndsAtTheSixthTick()
    {
        RecordingPlayer player;
        Form2 window(player);
        startGame(window);
        window.qNum = 9;
        window.score = 2500;
        find(window, 1);
        QCOMPARE(window.level, qint16(1));
        const QImage bedroom = catalogue::loadPicture(200).toImage();
        for (int tick = 0; tick < 5; ++tick)
            window.Timer2_Timer();
        QVERIFY(window.Timer2.isActive());
        QCOMPARE(window.background().toImage(), bedroom);
        QCOMPARE(window.pauseTicks, qint16(5));
        window.Timer2_Timer();
        QVERIFY(!window.Timer2.isActive());
        QCOMPARE(window.pauseTicks, qint16(0));
        QCOMPARE(window.qNum, qint16(0));
        QCOMPARE(window.background().toImage(), catalogue::loadPicture(201).toImage());
        QVERIFY(window.background().toImage() != bedroom);
        QCOMPARE(window.Timer1.interval(), 180);
        QVERIFY(window.Timer1.isActive());
        QVERIFY(window.Picz->isHidden()); // no hint from level 2 on
        QVERIFY(window.PicHP->isVisible());
    }

    void hintComesBackEachRoundOnLevelOne()
    {
        RecordingPlayer player;
        Form2 window(player);
        startGame(window);
        QVERIFY(window.Picz->isVisible());
        finishRound(window, 50); // 9 x 70 points: not enough for level 2
        QVERIFY(window.Picz->isHidden());
        endPause(window);
        QCOMPARE(window.level, qint16(0));
        QVERIFY(window.Picz->isVisible());
    }

    void missesKeepTheQuestion()
    {
        RecordingPlayer player;
        Form2 window(player);
        startGame(window);
        window.tickCount = 7;
        const qint16 asked = target(window);
        player.clear();
        for (int miss = 1; miss <= 3; ++miss) {
            window.Labelp_Click(wrongPick(window));
            QCOMPARE(int(window.lives), 5 - miss);
            QVERIFY(window.Pics(5 - miss)->isHidden());
            QCOMPARE(visibleBalls(window), 5 - miss);
        }
        QCOMPARE(target(window), asked);
        QCOMPARE(window.qNum, qint16(0));
        QCOMPARE(window.tickCount, qint16(7));
        QVERIFY(window.Timer1.isActive());
        QCOMPARE(window.score, qint16(0));
        QCOMPARE(player.played.size(), 3);
        for (const auto &sound : player.played) {
            QCOMPARE(sound.buffer, &window.effectWav);
            QCOMPARE(sound.mode, PlayMode::Wait);
            QCOMPARE(RecordingPlayer::recordingOf(sound.bytes), 121);
        }
    }

    // An already found picture is a miss when it is not the one asked.
    void foundPictureClickedAgainIsAMiss()
    {
        RecordingPlayer player;
        Form2 window(player);
        startGame(window);
        const qint16 found = target(window);
        find(window, 1);
        window.Labelp_Click(found);
        QCOMPARE(window.lives, qint16(4));
        QCOMPARE(window.qNum, qint16(1));
    }

    void fiveTimeOutsEndTheGame()
    {
        RecordingPlayer player;
        Form2 window(player);
        startGame(window);
        window.score = 1234;
        const qint16 asked = target(window);
        for (int lost = 1; lost <= 5; ++lost) {
            for (int tick = 0; tick < 49; ++tick)
                window.Timer1_Timer();
            QCOMPARE(int(window.lives), 6 - lost); // 50 ticks allowed
            window.Timer1_Timer();
            QCOMPARE(int(window.lives), 5 - lost);
            QCOMPARE(visibleBalls(window), 5 - lost);
            QVERIFY(window.Pics(5 - lost)->isHidden()); // from Pics(4) down to Pics(0)
            QCOMPARE(target(window), asked);
            QCOMPARE(window.tickCount, qint16(1));
        }
        QCOMPARE(RecordingPlayer::recordingOf(window.effectWav), 121);

        // The game is over: nothing moves, the pictures are gone and the
        // leaderboard has the score.
        QVERIFY(!window.gameOn);
        QVERIFY(!window.Timer1.isActive());
        QVERIFY(!window.Timer2.isActive());
        QVERIFY(!window.Timerboy.isActive());
        for (int i = 0; i < 10; ++i)
            QVERIFY(window.LabelP(i)->isHidden());
        Form3 *board = window.leaderboardWindow();
        QVERIFY(board);
        QVERIFY(board->isVisible());
        QCOMPARE(board->grd, qint16(1));
        QCOMPARE(board->fcount, qint32(1234));
        QVERIFY(!window.isEnabled());
        QCOMPARE(window.score, qint16(1234));
        QCOMPARE(window.Label2->text(), QString()); // no find this game
        board->close();
        QVERIFY(window.isEnabled());
    }

    void fifthMissEndsTheGameAtOnce_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("line"); // naming the set under the rows
        QTest::newRow("at home") << 1 << QString();
        QTest::newRow("animals") << 2 << QStringLiteral("词语组：动物");
    }
    void fifthMissEndsTheGameAtOnce()
    {
        QFETCH(int, set);
        QFETCH(QString, line);
        RecordingPlayer player;
        Form2 window(player);
        window.chooseWordSet(WordSets().find(QString::number(set)));
        startGame(window);
        find(window, 1);
        for (int miss = 0; miss < 5; ++miss)
            window.Labelp_Click(wrongPick(window));
        QVERIFY(!window.gameOn);
        QVERIFY(window.Pics(0)->isHidden());
        QVERIFY(window.leaderboardWindow() && window.leaderboardWindow()->isVisible());
        QCOMPARE(window.leaderboardWindow()->fcount, qint32(window.score));
        QVERIFY(window.score > 0);
        // Each set ends on a board of its own; the other is not touched.
        QCOMPARE(window.leaderboardWindow()->grd, qint16(set));
        QCOMPARE(QFile::exists(boardFolder.filePath(QStringLiteral("kivora1.tmp"))), set == 1);
        QCOMPARE(QFile::exists(boardFolder.filePath(QStringLiteral("kivora2.tmp"))), set == 2);
        const auto *named = window.leaderboardWindow()->findChild<QLabel *>(QStringLiteral("wordSetLine"));
        QCOMPARE(named ? named->text() : QString(), line);
        QCOMPARE(window.leaderboardWindow()->height(), line.isEmpty() ? 339 : 363);
        window.leaderboardWindow()->close();
        QVERIFY(window.cornerButton->isEnabled()); // the grown-ups' corner, between games again
    }

    // The tricky words come from the record once ten are known: asked three
    // times or more, hardest first, each with its own set's recording and key.
    // A game keeps the words it started with and ends on a board of its own.
    void trickyWordsFromTheRecordPlay()
    {
        QTemporaryDir data;
        for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"})
            qputenv(name, data.path().toUtf8());
        SqliteRecorder recorder;
        QuestionTally tally;
        const auto answer = [&](const char *set, const char *word, const char *firstTries) {
            recorder.gameStarted(set);
            for (const char *right = firstTries; *right; ++right) {
                tally.ask(set, word, 0);
                if (*right == '0')
                    tally.wrongPick();
                recorder.questionEnded(tally.rightPick());
            }
            recorder.waitForWrites();
        };
        for (const char *each : {"2 cat 0000", "2 dog 000", "2 unicorn 000", "2 bird 001", "2 fish 0010",
                                 "2 duck 011", "2 cow 0111", "2 pig 111", "3 apple 0001", "3 banana 101", "2 sheep 00"}) {
            const QList<QByteArray> parts = QByteArray(each).split(' ');
            answer(parts[0], parts[1], parts[2]);
        }
        QVERIFY(!WordSets().find("tricky"));
        QCOMPARE(TrickyWordSet(WordSets()).wordCount(), 9); // no unicorn in set 2; sheep asked twice
        answer("2", "sheep", "1");
        RecordingPlayer player;
        Form2 window(player, recorder);
        window.chooseWordSet(WordSets().find("tricky"));
        startGame(window);
        answer("3", "pear", "0000");
        QCOMPARE(window.wordSource().words(), QStringList({"cat", "dog", "apple", "fish", "bird", "sheep", "banana",
                                                          "duck", "cow", "pig"}));
        QVERIFY(window.wordSource().key(2) == (WordKey{"3", "apple"}));
        const WordKey asked = window.wordSource().key(window.picWord[size_t(target(window))]);
        const WordSets::Set own = WordSets().find(asked.set);
        QCOMPARE(window.wordWav, own->recording(int(own->words().indexOf(asked.word))));
        for (int miss = 0; miss < 5; ++miss)
            window.Labelp_Click(wrongPick(window));
        QVERIFY(QFile::exists(boardFolder.filePath(QStringLiteral("kivora-tricky.tmp"))));
        recorder.waitForWrites();
        QCOMPARE(column(data.filePath("wordnest/progress.sqlite"), "SELECT word_set||' '||word FROM answers "
                                                                   "ORDER BY id DESC LIMIT 1"),
                 QStringList(asked.set + ' ' + asked.word));
        window.leaderboardWindow()->close();
        window.PicB_Click();
        QVERIFY(window.wordSource().words().contains("pear")); // drawn anew

        // The progress page shows each set's words as the record has them, and forgets them all.
        ProgressPage page(recorder, WordSets());
        page.show();
        page.setChoice->setCurrentIndex(page.setChoice->findData("3"));
        QStringList shown, held;
        for (int row = 0; row < page.wordTable->rowCount(); ++row)
            shown << page.wordTable->item(row, 0)->text() + ' ' + page.wordTable->item(row, 2)->text() + ' '
                         + qobject_cast<QProgressBar *>(page.wordTable->cellWidget(row, 1))->text();
        for (const WordStat &word : ProgressReader().wordStats("3"))
            held << QString("%1 %2 %3%").arg(word.word).arg(word.asked).arg(qRound(100.0 * word.firstTryRight / word.asked));
        QCOMPARE(shown, held);
        QCOMPARE(shown.value(0), "pear 4 0%");
        QVERIFY(page.status->text().contains("每一次答题都记下来了"));
        QVERIFY(page.forgetAll() && page.wordTable->rowCount() == 0 && !WordSets().find("tricky"));
    }

    // The first question of a round keeps counting from the last find of the
    // round before.
    void nextRoundStartsWithTheOldTickCount()
    {
        RecordingPlayer player;
        Form2 window(player);
        startGame(window);
        while (window.qNum < 9)
            find(window, 1);
        find(window, 30);
        endPause(window);
        QCOMPARE(window.tickCount, qint16(30));
        for (int tick = 0; tick < 20; ++tick)
            window.Timer1_Timer();
        QCOMPARE(window.lives, qint16(5));
        window.Timer1_Timer();
        QCOMPARE(window.lives, qint16(4));
    }

    void clockSpeedsUpToTwentyMilliseconds()
    {
        RecordingPlayer player;
        Form2 window(player);
        startGame(window);
        QCOMPARE(window.Timer1.interval(), 200);
        QList<int> intervals;
        for (int round = 2; round <= 12; ++round) {
            finishRound(window);
            endPause(window);
            intervals.append(window.Timer1.interval());
        }
        QCOMPARE(intervals, (QList<int>{180, 160, 140, 120, 100, 80, 60, 40, 20, 20, 20}));
        QCOMPARE(window.Timer1.timerType(), Qt::PreciseTimer);
    }

    void newGameAfterAGameOnTheLastLevel()
    {
        RecordingPlayer player;
        Form2 window(player);
        startGame(window);
        window.level = 3;
        window.score = 9000;
        window.levelScore = 5000;
        finishRound(window);
        endPause(window);
        QCOMPARE(window.background().toImage(), catalogue::loadPicture(203).toImage());
        while (window.gameOn)
            window.Labelp_Click(wrongPick(window));
        window.leaderboardWindow()->close();

        window.PicB_Click();
        QVERIFY(window.gameOn);
        QCOMPARE(window.level, qint16(0));
        QCOMPARE(window.score, qint16(0));
        QCOMPARE(window.levelScore, qint16(0));
        QCOMPARE(window.lives, qint16(5));
        QCOMPARE(visibleBalls(window), 5);
        QCOMPARE(window.Label2->text(), QString());
        QCOMPARE(window.Timer1.interval(), 200);
        QCOMPARE(window.background().toImage(), catalogue::loadPicture(200).toImage());
        QVERIFY(window.Picz->isVisible());
        QCOMPARE(window.LabelP.count(), 10);
    }

    void startIsIgnoredDuringAGame()
    {
        RecordingPlayer player;
        Form2 window(player);
        startGame(window);
        find(window, 1);
        window.Labelp_Click(wrongPick(window));
        const auto layout = window.picWord;
        const qint16 score = window.score;
        player.clear();
        QTest::mouseClick(window.PicB, Qt::LeftButton);
        QCOMPARE(window.picWord, layout);
        QCOMPARE(window.score, score);
        QCOMPARE(window.lives, qint16(4));
        QCOMPARE(window.qNum, qint16(1));
        QVERIFY(player.played.isEmpty());
    }

    // The help window stops the child's clicks, not the clock.
    void helpDuringARound()
    {
        RecordingPlayer player;
        Form2 window(player);
        startGame(window);
        QTest::mouseClick(window.PicBh, Qt::LeftButton);
        QVERIFY(!window.isEnabled());
        QVERIFY(window.Timer1.isActive());
        for (int tick = 0; tick < 50; ++tick)
            window.Timer1_Timer();
        QCOMPARE(window.lives, qint16(4));
        // A picture cannot be clicked meanwhile.
        QTest::mouseClick(window.LabelP(wrongPick(window)), Qt::LeftButton);
        QCOMPARE(window.lives, qint16(4));
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *help = qobject_cast<Form1 *>(top))
                help->close();
        QVERIFY(window.isEnabled());
        QTest::mouseClick(window.LabelP(wrongPick(window)), Qt::LeftButton);
        QCOMPARE(window.lives, qint16(3));
    }
};

QTEST_MAIN(GameplayTest)
#include "tst_gameplay.moc"
