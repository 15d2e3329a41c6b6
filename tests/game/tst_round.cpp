#include "media/catalogue.h"
#include "words/wordsets.h"
#include "support/fakeview.h"
#include "support/fixeddraws.h"

#include <QtTest>

#include <map>
#include <set>

// Laying out a round, the order of its questions with the repeat queue, and
// the character that speaks the words.
class RoundTest : public QObject
{
    Q_OBJECT

    static std::vector<int> firstEntries(const std::array<qint16, 62> &table, int n)
    {
        return std::vector<int>(table.begin(), table.begin() + n);
    }
private slots:
    void shuffleWorkedExamples_data()
    {
        QTest::addColumn<std::vector<int>>("draws");
        QTest::addColumn<std::vector<int>>("order");
        QTest::newRow("n=3") << std::vector<int>{2, 0, 0} << std::vector<int>{2, 1, 0};
        QTest::newRow("n=4") << std::vector<int>{3, 3, 0, 1} << std::vector<int>{2, 3, 1, 0};
        QTest::newRow("n=5") << std::vector<int>{4, 0, 4, 1, 2} << std::vector<int>{0, 3, 4, 2, 1};
        QTest::newRow("n=1") << std::vector<int>{0} << std::vector<int>{0};
    }
    void shuffleWorkedExamples()
    {
        QFETCH(std::vector<int>, draws);
        QFETCH(std::vector<int>, order);
        ViewedGame game;
        GameRules &rules = game.rules;
        const int n = int(draws.size());
        rules.setRandomSource(std::make_unique<FixedDraws>(FixedDraws::picking(draws, n)));
        rules.qOrder.fill(77);
        rules.ShuffleOrder(qint16(n));
        QCOMPARE(firstEntries(rules.qOrder, n), order);
        QCOMPARE(rules.qOrder[size_t(n)], qint16(77)); // the rest is untouched
    }

    void shuffleOfNothingOnlyReseeds()
    {
        ViewedGame game;
        GameRules &rules = game.rules;
        auto draws = std::make_unique<FixedDraws>(std::vector<double>{0.5});
        FixedDraws *source = draws.get();
        rules.setRandomSource(std::move(draws));
        rules.qOrder.fill(9);
        rules.ShuffleOrder(0);
        QCOMPARE(rules.qOrder[0], qint16(9));
        QCOMPARE(source->reseeds, 1);
        QCOMPARE(source->used, size_t(0));
    }

    // All 27 draw sequences for three entries: the rotation shuffle is not
    // uniform, and the game is meant to keep exactly its leaning.
    void shuffleDistributionForThree()
    {
        ViewedGame game;
        GameRules &rules = game.rules;
        std::map<std::vector<int>, int> counts;
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b)
                for (int c = 0; c < 3; ++c) {
                    rules.setRandomSource(std::make_unique<FixedDraws>(FixedDraws::picking({a, b, c}, 3)));
                    rules.ShuffleOrder(3);
                    ++counts[firstEntries(rules.qOrder, 3)];
                }
        const std::map<std::vector<int>, int> expected{
            {{0, 2, 1}, 6}, {{0, 1, 2}, 5}, {{1, 2, 0}, 5}, {{1, 0, 2}, 4}, {{2, 1, 0}, 4}, {{2, 0, 1}, 3}};
        QCOMPARE(counts, expected);
    }

    // Two reseeds in the same instant must not give the same draws, or the
    // question order of a round would repeat its layout.
    void clockSourceDiffersBetweenQuickReseeds()
    {
        ClockRandomSource source;
        int same = 0;
        for (int trial = 0; trial < 50; ++trial) {
            source.reseed();
            const double first = source.next();
            source.reseed();
            same += source.next() == first;
        }
        QCOMPARE(same, 0);
        source.reseed();
        for (int i = 0; i < 10000; ++i) {
            const double r = source.next();
            QVERIFY(r >= 0.0 && r < 1.0);
        }
    }

    void roundHasTenDifferentWordsEachAskedOnce_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<QStringList>("someWords"); // words 0, 12 and 19
        QTest::newRow("at home") << 1 << QStringList{"bed", "jam", "window"};
        QTest::newRow("animals") << 2 << QStringList{"cat", "lion", "zebra"};
        QTest::newRow("outside") << 6 << QStringList{"car", "rainbow", "mountain"};
    }
    void roundHasTenDifferentWordsEachAskedOnce()
    {
        QFETCH(int, set);
        QFETCH(QStringList, someWords);
        ViewedGame game;
        GameRules &rules = game.rules;
        rules.chooseWordSet(WordSets().find(QString::number(set)));
        std::set<int> wordsSeen;
        for (int round = 0; round < 30; ++round) {
            rules.gameOn = false;
            rules.PicB_Click();
            const std::vector<int> shown = firstEntries(rules.picWord, 10);
            QCOMPARE(std::set<int>(shown.begin(), shown.end()).size(), size_t(10));
            for (int w : shown) {
                QVERIFY(w >= 0 && w < 20);
                wordsSeen.insert(w);
            }
            std::vector<int> asked = firstEntries(rules.qOrder, 10);
            std::sort(asked.begin(), asked.end());
            QCOMPARE(asked, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
            QCOMPARE(game.view.pictures, shown);
            QCOMPARE(game.view.pictureSet, QString::number(set));
            QCOMPARE(game.view.hintWord, int(game.askedWord()));
            QVERIFY(!rules.wordWav.isEmpty());
            QCOMPARE(rules.wordWav, catalogue::loadData(catalogue::wordMedia(set, game.askedWord()), "WAV"));
        }
        QCOMPARE(wordsSeen.size(), size_t(20)); // every word comes up across rounds
        QCOMPARE((QStringList{rules.words[0], rules.words[12], rules.words[19]}), someWords);
        QCOMPARE(rules.wordSet, qint16(set));
    }

    // Ids made only of digits belong to the built-in sets; a set of another
    // kind cannot take one, nor an id already taken. A word's key is its set
    // and its text.
    void setIdsAndWordKeys()
    {
        struct Named final : WordSource
        {
            QString name;
            explicit Named(QString id) : name(std::move(id)) {}
            QString id() const override { return name; }
            QString chineseName() const override { return {}; }
            QString englishName() const override { return {}; }
            qint16 boardNumber() const override { return 0; }
            QStringList words() const override { return {QStringLiteral("owl")}; }
            PictureArt picture(int) const override { return {}; }
            QByteArray recording(int) const override { return {}; }
        };
        WordSets sets;
        QCOMPARE(sets.all().size(), 6);
        for (const QString id : {"7", "", "2", "０"})
            QVERIFY2(!sets.add(std::make_shared<Named>(id)), qPrintable(id));
        QVERIFY(sets.add(std::make_shared<Named>(QStringLiteral("2b"))));
        QVERIFY(!sets.add(std::make_shared<Named>(QStringLiteral("2b"))));
        QCOMPARE(sets.find(QStringLiteral("2b"))->key(0), (WordKey{QStringLiteral("2b"), QStringLiteral("owl")}));
        QCOMPARE(sets.find(QStringLiteral("2"))->key(19), (WordKey{QStringLiteral("2"), QStringLiteral("zebra")}));
        QCOMPARE(sets.find(QStringLiteral("1"))->key(20), WordKey{});
    }

    void firstQuestionOnEachLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("hint");
        QTest::addColumn<bool>("book");
        QTest::addColumn<bool>("spoken");
        QTest::newRow("level 1") << 0 << true << false << true;
        QTest::newRow("level 2") << 1 << false << true << true;
        QTest::newRow("level 3") << 2 << false << false << true;
        QTest::newRow("level 4") << 3 << false << false << false;
    }
    void firstQuestionOnEachLevel()
    {
        QFETCH(int, level);
        QFETCH(bool, hint);
        QFETCH(bool, book);
        QFETCH(bool, spoken);
        ViewedGame game;
        GameRules &rules = game.rules;
        rules.PicB_Click();
        rules.level = qint16(level);
        game.view.stopClock(GameView::Clock::Question);
        rules.TimerBoy_Timer(); // the first round's face has long closed
        game.player.clear();
        rules.pauseTicks = 5;
        rules.Timer2_Timer(); // the pause ends and the round on this level is laid out

        const qint16 word = game.askedWord();
        QCOMPARE(game.view.hint, hint);
        QCOMPARE(game.view.hintWord, int(word)); // ready for the book even when hidden
        QCOMPARE(game.view.book, book);
        QCOMPARE(game.view.wordText, rules.words[size_t(word)]);
        QCOMPARE(RecordingPlayer::recordingOf(rules.wordWav), 101 + word);
        QCOMPARE(game.view.face, spoken);
        QCOMPARE(game.view.active(GameView::Clock::Face), spoken);
        QVERIFY(game.view.active(GameView::Clock::Question));
        if (spoken) {
            QCOMPARE(game.player.played.size(), 1);
            QCOMPARE(game.player.played[0].buffer, &rules.wordWav);
            QCOMPARE(game.player.played[0].mode, PlayMode::Async);
        } else {
            QVERIFY(game.player.played.isEmpty());
        }
        // The face of this level's room, at its place.
        QCOMPARE(game.view.facePicture, 204 + level);
        QCOMPARE(game.view.facePlace, std::make_pair(int(rules.faceX[size_t(level)]), int(rules.faceY[size_t(level)])));
    }

    void bookShowsHintAndQueuesTheQuestionAgain()
    {
        ViewedGame game;
        GameRules &rules = game.rules;
        rules.PicB_Click();
        rules.level = 1;
        rules.pauseTicks = 5;
        rules.Timer2_Timer();
        QVERIFY(game.view.book);
        QVERIFY(!game.view.hint);

        // Use the book at every question: twelve repeats at most, asked in
        // the order they were queued, after the ten pictures.
        std::vector<int> queued;
        int asked = 0;
        while (game.view.active(GameView::Clock::Question)) {
            if (game.view.book) {
                const int before = rules.repeatCount;
                rules.PicHP_Click();
                QVERIFY(game.view.hint);
                QVERIFY(!game.view.book);
                if (before < 12)
                    queued.push_back(game.target());
                QCOMPARE(int(rules.repeatCount), std::min(before + 1, 12));
            }
            if (asked >= 10)
                QCOMPARE(int(game.target()), queued.at(size_t(asked - 10)));
            rules.Labelp_Click(game.target());
            ++asked;
        }
        QCOMPARE(rules.repeatCount, qint16(12));
        QCOMPARE(asked, 22);
        QVERIFY(game.view.active(GameView::Clock::Pause)); // the round is over
    }

    void roomClickRepeatsTheWordDuringAGameOnly()
    {
        ViewedGame game;
        GameRules &rules = game.rules;
        RecordingPlayer &player = game.player;
        rules.Form_MouseDown(1, 0, 100, 300);
        QVERIFY(player.played.isEmpty()); // no game yet

        rules.PicB_Click();
        rules.TimerBoy_Timer();
        QVERIFY(!game.view.face);
        QVERIFY(!game.view.active(GameView::Clock::Face));
        player.clear();

        rules.Form_MouseDown(1, 0, 445, 300);
        rules.Form_MouseDown(2, 1, 600, 10);
        QVERIFY(player.played.isEmpty());

        rules.Form_MouseDown(1, 0, 444, 449);
        QCOMPARE(player.played.size(), 1);
        QCOMPARE(player.played[0].buffer, &rules.wordWav);
        QCOMPARE(player.played[0].mode, PlayMode::Async);
        QCOMPARE(player.stops, 0); // a replay loads nothing
        QVERIFY(game.view.face);
        QVERIFY(game.view.active(GameView::Clock::Face));

        // Any button, with modifiers, replays again.
        rules.Form_MouseDown(4, 3, 0, 0);
        QCOMPARE(player.played.size(), 2);
    }

    void levelFourWordIsOnlyHeardOnAClick()
    {
        ViewedGame game;
        GameRules &rules = game.rules;
        rules.PicB_Click();
        rules.level = 3;
        rules.TimerBoy_Timer(); // the first round's face has long closed
        rules.pauseTicks = 5;
        game.player.clear();
        rules.Timer2_Timer();
        QVERIFY(game.player.played.isEmpty());
        QVERIFY(!game.view.face);
        rules.Form_MouseDown(1, 0, 10, 300);
        QCOMPARE(game.player.played.size(), 1);
        QCOMPARE(RecordingPlayer::recordingOf(game.player.played[0].bytes), 101 + game.askedWord());
        QVERIFY(game.view.face);
    }
};

QTEST_GUILESS_MAIN(RoundTest)
#include "tst_round.moc"
