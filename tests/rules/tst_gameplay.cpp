#include "children/childlist.h"
#include "leaderboard/boardfile.h"
#include "progress/questiontally.h"
#include "progress/sqliterecorder.h"
#include "support/fakeview.h"
#include "records/progresstestutil.h"
#include "wordsets/rememberedset.h"
#include "wordsets/trickywordset.h"

#include <QtTest>

// A game played through its rules: finds and misses, the question clock,
// the pause between rounds, the levels and the end of a game.
class GameplayTest : public QObject
{
    Q_OBJECT

    using Clock = GameView::Clock;

    static qint16 wrongPick(const ViewedGame &game) { return qint16((game.target() + 1) % 10); }
    static void find(ViewedGame &game, qint16 ticks)
    {
        game.tickCount = ticks;
        game.Labelp_Click(game.target());
    }
    // Plays the rest of the round, each find after `ticks` ticks.
    static void finishRound(ViewedGame &game, qint16 ticks = 1)
    {
        while (game.screen.active(Clock::Question))
            find(game, ticks);
    }
    static void endPause(ViewedGame &game)
    {
        for (int tick = 0; tick < 6; ++tick)
            game.Timer2_Timer();
    }
    struct KeptAnswers final : AnswerRecorder
    {
        void gameStarted(const GameStart &game) override { pace = game.pace; }
        void questionEnded(const QuestionResult &question) override { questions.push_back(question); }
        void gameEnded(int, int) override {}
        RecorderStatus status() const override { return {}; }
        std::vector<QuestionResult> questions;
        QString pace;
    };

private slots:
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
        ViewedGame game;
        game.PicB_Click();
        game.level = qint16(level);
        game.score = qint16(startScore);
        find(game, qint16(ticks));
        QCOMPARE(int(game.score), expected);
        QCOMPARE(game.screen.scoreText, QString::number(expected));
        QCOMPARE(game.qNum, qint16(1));
        QCOMPARE(game.tickCount, qint16(1)); // the new question's clock
        QVERIFY(game.screen.active(Clock::Question));
        QVERIFY(game.gameOn); // the game goes on at the ceiling too
    }

    // After a find the waiting right-pick sound ends before the next word starts.
    void findSoundsInOrder()
    {
        ViewedGame game;
        game.PicB_Click();
        game.speaker.clear();
        find(game, 3);
        QCOMPARE(game.speaker.played.size(), 2);
        QCOMPARE(game.speaker.played[0].buffer, &game.effectWav);
        QCOMPARE(game.speaker.played[0].mode, PlayMode::Wait);
        QCOMPARE(RecordingPlayer::recordingOf(game.speaker.played[0].bytes), 122);
        QCOMPARE(game.speaker.played[1].buffer, &game.wordWav);
        QCOMPARE(game.speaker.played[1].mode, PlayMode::Async);
        QCOMPARE(RecordingPlayer::recordingOf(game.speaker.played[1].bytes),
                 101 + game.picWord[size_t(game.target())]);
        QCOMPARE(game.screen.wordText, game.words[size_t(game.picWord[size_t(game.target())])]);
    }

    void roundEnd()
    {
        ViewedGame game;
        game.PicB_Click();
        for (int q = 0; q < 9; ++q)
            find(game, 1);
        const qint16 scoreBefore = game.score;
        const QString label = game.screen.scoreText;
        const QString word = game.screen.wordText;
        game.speaker.clear();
        find(game, 1);

        QCOMPARE(game.score, scoreBefore); // the last find earns nothing
        QCOMPARE(game.screen.scoreText, label);
        QCOMPARE(game.screen.wordText, word);
        QCOMPARE(game.screen.shown, std::vector<bool>(10, false));
        QVERIFY(!game.screen.hint);
        QVERIFY(!game.screen.active(Clock::Question));
        QVERIFY(game.screen.active(Clock::Pause));
        QCOMPARE(game.speaker.played.size(), 2);
        QCOMPARE(RecordingPlayer::recordingOf(game.speaker.played[0].bytes), 122);
        QCOMPARE(RecordingPlayer::recordingOf(game.speaker.played[1].bytes), 123);
        QCOMPARE(game.speaker.played[1].buffer, &game.effectWav);
        QCOMPARE(game.speaker.played[1].mode, PlayMode::Async);
        QCOMPARE(game.level, qint16(1)); // 9 finds of 1050 passed level 1
        QCOMPARE(game.levelScore, scoreBefore);
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
        ViewedGame game;
        game.PicB_Click();
        game.level = qint16(level);
        game.levelScore = qint16(levelScore);
        game.qNum = 9; // the last question of the round
        game.score = qint16(score);
        find(game, 1);
        QVERIFY(game.screen.active(Clock::Pause));
        QCOMPARE(int(game.level), newLevel);
        QCOMPARE(int(game.levelScore), newLevelScore);
    }

    // The old level's room stays through the pause; the new one comes with
    // the next round, which is laid out at the sixth tick.
    void pauseEndsAtTheSixthTick()
    {
        ViewedGame game;
        game.PicB_Click();
        game.qNum = 9;
        game.score = 2500;
        find(game, 1);
        QCOMPARE(game.level, qint16(1));
        for (int tick = 0; tick < 5; ++tick)
            game.Timer2_Timer();
        QVERIFY(game.screen.active(Clock::Pause));
        QCOMPARE(game.screen.room, 200);
        QCOMPARE(game.pauseTicks, qint16(5));
        game.Timer2_Timer();
        QVERIFY(!game.screen.active(Clock::Pause));
        QCOMPARE(game.pauseTicks, qint16(0));
        QCOMPARE(game.qNum, qint16(0));
        QCOMPARE(game.screen.room, 201);
        QCOMPARE(game.screen.clockInterval(Clock::Question), 180);
        QVERIFY(game.screen.active(Clock::Question));
        QVERIFY(!game.screen.hint); // no hint from level 2 on
        QVERIFY(game.screen.book);
    }

    void hintComesBackEachRoundOnLevelOne()
    {
        ViewedGame game;
        game.PicB_Click();
        QVERIFY(game.screen.hint);
        finishRound(game, 50); // 9 x 70 points: not enough for level 2
        QVERIFY(!game.screen.hint);
        endPause(game);
        QCOMPARE(game.level, qint16(0));
        QVERIFY(game.screen.hint);
    }

    void missesKeepTheQuestion()
    {
        ViewedGame game;
        game.PicB_Click();
        game.tickCount = 7;
        const qint16 asked = game.target();
        game.speaker.clear();
        for (int miss = 1; miss <= 3; ++miss) {
            game.Labelp_Click(wrongPick(game));
            QCOMPARE(int(game.lives), 5 - miss);
            QVERIFY(!game.screen.balls[size_t(5 - miss)]);
            QCOMPARE(game.screen.visibleBalls(), 5 - miss);
        }
        QCOMPARE(game.target(), asked);
        QCOMPARE(game.qNum, qint16(0));
        QCOMPARE(game.tickCount, qint16(7));
        QVERIFY(game.screen.active(Clock::Question));
        QCOMPARE(game.score, qint16(0));
        QCOMPARE(game.speaker.played.size(), 3);
        for (const auto &sound : game.speaker.played) {
            QCOMPARE(sound.buffer, &game.effectWav);
            QCOMPARE(sound.mode, PlayMode::Wait);
            QCOMPARE(RecordingPlayer::recordingOf(sound.bytes), 121);
        }
    }

    // An already found picture is a miss when it is not the one asked.
    void foundPictureClickedAgainIsAMiss()
    {
        ViewedGame game;
        game.PicB_Click();
        const qint16 found = game.target();
        find(game, 1);
        game.Labelp_Click(found);
        QCOMPARE(game.lives, qint16(4));
        QCOMPARE(game.qNum, qint16(1));
    }

    void fiveTimeOutsEndTheGame()
    {
        ViewedGame game;
        game.PicB_Click();
        game.score = 1234;
        const qint16 asked = game.target();
        for (int lost = 1; lost <= 5; ++lost) {
            for (int tick = 0; tick < 49; ++tick)
                game.Timer1_Timer();
            QCOMPARE(int(game.lives), 6 - lost); // 50 ticks allowed
            game.Timer1_Timer();
            QCOMPARE(int(game.lives), 5 - lost);
            QCOMPARE(game.screen.visibleBalls(), 5 - lost);
            QVERIFY(!game.screen.balls[size_t(5 - lost)]); // from Pics(4) down to Pics(0)
            QCOMPARE(game.target(), asked);
            QCOMPARE(game.tickCount, qint16(1));
        }
        QCOMPARE(RecordingPlayer::recordingOf(game.effectWav), 121);

        // The game is over: nothing moves, the pictures are gone and the
        // leaderboard has the score.
        QVERIFY(!game.gameOn);
        QVERIFY(!game.screen.gameRunning);
        QVERIFY(!game.screen.active(Clock::Question) && !game.screen.active(Clock::Pause));
        QVERIFY(!game.screen.active(Clock::Face));
        QCOMPARE(game.screen.shown, std::vector<bool>(10, false));
        QCOMPARE(game.screen.boards.size(), size_t(1));
        QCOMPARE(game.screen.boards[0].grd, qint16(1));
        QCOMPARE(game.screen.boards[0].score, qint32(1234));
        QCOMPARE(game.score, qint16(1234));
        QCOMPARE(game.screen.scoreText, QString()); // no find this game
    }

    // The tricky words come from the child's answers once ten are known: asked
    // three times or more, hardest first, each with its own set's recording and
    // key. A game keeps the words it started with and ends on a board of its own.
    // Two children play on: each one's record, tricky words and chosen set stay theirs.
    void trickyWordsFromTheRecordPlay()
    {
        QTemporaryDir data;
        for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME"})
            qputenv(name, data.path().toUtf8());
        SqliteRecorder recorder;
        QuestionTally tally;
        const int mia = 1, leo = 2;
        const auto answer = [&](const char *set, const char *word, const char *firstTries) {
            recorder.gameStarted({set, "standard", mia});
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
        QVERIFY(!WordSets().find("tricky", mia));
        QCOMPARE(TrickyWordSet(WordSets(), mia).wordCount(), 9); // no unicorn in set 2; sheep asked twice
        answer("2", "sheep", "1");
        rememberWordSet("tricky", mia), rememberWordSet("2", leo);
        ViewedGame game(recorder), leoGame(recorder);
        const auto playAs = [](ViewedGame &game, int child) {  // as the window does
            game.chooseChild(child), game.chooseWordSet(WordSets().find(rememberedWordSet(child), child));
        };
        playAs(game, mia), playAs(leoGame, leo);
        QVERIFY(!WordSets().find("tricky", leo) && !WordSets().find("tricky", ChildList::noChild));
        game.PicB_Click();
        answer("3", "pear", "0000");
        QCOMPARE(game.wordSource().words(), QStringList({"cat", "dog", "apple", "fish", "bird", "sheep", "banana",
                                                         "duck", "cow", "pig"}));
        QVERIFY(game.wordSource().key(2) == (WordKey{"3", "apple"}));
        const WordKey asked = game.wordSource().key(game.askedWord());
        const WordSets::Set own = WordSets().find(asked.set);
        QCOMPARE(game.wordWav, own->recording(int(own->words().indexOf(asked.word))));
        for (int miss = 0; miss < 5; ++miss)
            game.Labelp_Click(wrongPick(game));
        QCOMPARE(game.screen.boards.at(0).grd, trickyBoard);
        recorder.waitForWrites();
        QCOMPARE(column(data.filePath("wordnest/progress.sqlite"), "SELECT word_set||' '||word FROM answers "
                                                                   "ORDER BY id DESC LIMIT 1"),
                 QStringList(asked.set + ' ' + asked.word));
        leoGame.PicB_Click();
        const WordKey leoAsked = leoGame.wordSource().key(leoGame.askedWord());
        for (int miss = 0; miss < 5; ++miss)
            leoGame.Labelp_Click(wrongPick(leoGame));
        game.PicB_Click();
        QVERIFY(game.wordSource().words().contains("pear")); // drawn anew, from Mia's answers
        recorder.waitForWrites();
        QCOMPARE(column(data.filePath("wordnest/progress.sqlite"),
                        "SELECT DISTINCT g.child||' '||a.word_set||' '||a.word FROM answers a JOIN games g"
                        " ON g.id = a.game WHERE g.id > 12 ORDER BY a.id"),
                 (QStringList{"1 3 pear", "1 " + asked.set + ' ' + asked.word, "2 2 " + leoAsked.word}));
        QCOMPARE(rememberedWordSet(mia) + rememberedWordSet(leo) + rememberedWordSet(ChildList::noChild), "tricky2");
    }

    // The first question of a round keeps counting from the last find of the
    // round before.
    void nextRoundStartsWithTheOldTickCount()
    {
        ViewedGame game;
        game.PicB_Click();
        while (game.qNum < 9)
            find(game, 1);
        find(game, 30);
        endPause(game);
        QCOMPARE(game.tickCount, qint16(30));
        for (int tick = 0; tick < 20; ++tick)
            game.Timer1_Timer();
        QCOMPARE(game.lives, qint16(5));
        game.Timer1_Timer();
        QCOMPARE(game.lives, qint16(4));
    }

    // Slower: every round's clock is the first's, 50 ticks of 200 ms for a
    // later question of round 5. Untimed: the clock runs as designed but the
    // count rests at 50, so no time-out and a bonus of at least 1000 / 50.
    // A pace chosen during a game waits for the next.
    void gentlerPaces()
    {
        KeptAnswers kept;
        ViewedGame slower(kept), untimed;
        slower.choosePace(Pace::Slower), untimed.choosePace(Pace::Untimed);
        slower.PicB_Click(), untimed.PicB_Click();
        slower.choosePace(Pace::Standard);
        for (int round = 2; round <= 5; ++round)
            finishRound(slower), endPause(slower), finishRound(untimed), endPause(untimed);
        QCOMPARE(slower.screen.clockInterval(Clock::Question), 200);
        QCOMPARE(untimed.screen.clockInterval(Clock::Question), 120);
        find(slower, 1);
        for (int tick = 1; tick < 50; ++tick)
            slower.Timer1_Timer();
        QCOMPARE(slower.lives, qint16(5));
        slower.Timer1_Timer();
        QCOMPARE(slower.lives, qint16(4));
        for (int tick = 0; tick < 10000; ++tick)
            untimed.Timer1_Timer();
        QCOMPARE(untimed.lives, qint16(5));
        untimed.score = 0;
        untimed.Labelp_Click(untimed.target());
        QCOMPARE(int(untimed.score), 50 + 10 * untimed.level + 20);
        QCOMPARE(slower.pace(), Pace::Slower);
        QCOMPARE(kept.pace, QStringLiteral("slower")); // the record keeps it
    }

    // A pause stops both clocks where they are and keeps its time out of the
    // question's; the click that ends it is neither judged nor heard. Between
    // games nothing pauses.
    void pauseHoldsTheGame()
    {
        KeptAnswers kept;
        ViewedGame game(kept);
        qint64 now = 0;
        game.setQuestionClock([&now] { return now; });
        game.pause();
        QVERIFY(!game.paused());
        game.PicB_Click();
        now = 300;
        game.pause();
        QVERIFY(game.paused() && game.screen.pauseSign && !game.screen.active(Clock::Question));
        for (int tick = 0; tick < 200; ++tick)
            game.Timer1_Timer();
        now = 60300;
        game.speaker.clear();
        game.Labelp_Click(wrongPick(game));
        QVERIFY(!game.paused() && !game.screen.pauseSign && game.screen.active(Clock::Question));
        QCOMPARE(game.lives, qint16(5));
        QVERIFY(game.speaker.played.isEmpty());
        now = 60500;
        game.Labelp_Click(game.target());
        QCOMPARE(kept.questions.back().msToRight, 500);
        QCOMPARE(kept.questions.back().timeouts, 0);

        finishRound(game);
        game.pause();
        game.Timer2_Timer();
        QVERIFY(!game.screen.active(Clock::Pause) && game.pauseTicks == 0);
        game.Form_MouseDown(1, 0, 10, 10);
        QVERIFY(game.screen.active(Clock::Pause) && !game.screen.active(Clock::Question));
    }

    void clockSpeedsUpToTwentyMilliseconds()
    {
        ViewedGame game;
        game.PicB_Click();
        QCOMPARE(game.screen.clockInterval(Clock::Question), 200);
        QList<int> intervals;
        for (int round = 2; round <= 12; ++round) {
            finishRound(game);
            endPause(game);
            intervals.append(game.screen.clockInterval(Clock::Question));
        }
        QCOMPARE(intervals, (QList<int>{180, 160, 140, 120, 100, 80, 60, 40, 20, 20, 20}));
    }

    void newGameAfterAGameOnTheLastLevel()
    {
        ViewedGame game;
        game.PicB_Click();
        game.level = 3;
        game.score = 9000;
        game.levelScore = 5000;
        finishRound(game);
        endPause(game);
        QCOMPARE(game.screen.room, 203);
        while (game.gameOn)
            game.Labelp_Click(wrongPick(game));

        game.PicB_Click();
        QVERIFY(game.gameOn && game.screen.gameRunning);
        QCOMPARE(game.level, qint16(0));
        QCOMPARE(game.score, qint16(0));
        QCOMPARE(game.levelScore, qint16(0));
        QCOMPARE(game.lives, qint16(5));
        QCOMPARE(game.screen.visibleBalls(), 5);
        QCOMPARE(game.screen.scoreText, QString());
        QCOMPARE(game.screen.clockInterval(Clock::Question), 200);
        QCOMPARE(game.screen.room, 200);
        QVERIFY(game.screen.hint);
        QCOMPARE(game.screen.shown, std::vector<bool>(10, true));
    }

    void startIsIgnoredDuringAGame()
    {
        ViewedGame game;
        game.PicB_Click();
        find(game, 1);
        game.Labelp_Click(wrongPick(game));
        const auto layout = game.picWord;
        const qint16 score = game.score;
        game.speaker.clear();
        game.PicB_Click();
        QCOMPARE(game.picWord, layout);
        QCOMPARE(game.score, score);
        QCOMPARE(game.lives, qint16(4));
        QCOMPARE(game.qNum, qint16(1));
        QVERIFY(game.speaker.played.isEmpty());
        QCOMPARE(game.screen.layouts, 1);
    }
};

QTEST_GUILESS_MAIN(GameplayTest)
#include "tst_gameplay.moc"
