#include "catalogue/catalogue.h"
#include "wordsets/wordsets.h"
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
        const int n = int(draws.size());
        game.setRandomSource(std::make_unique<FixedDraws>(FixedDraws::picking(draws, n)));
        game.qOrder.fill(77);
        game.ShuffleOrder(qint16(n));
        QCOMPARE(firstEntries(game.qOrder, n), order);
        QCOMPARE(game.qOrder[size_t(n)], qint16(77)); // the rest is untouched
    }

    void shuffleOfNothingOnlyReseeds()
    {
        ViewedGame game;
        auto draws = std::make_unique<FixedDraws>(std::vector<double>{0.5});
        FixedDraws *source = draws.get();
        game.setRandomSource(std::move(draws));
        game.qOrder.fill(9);
        game.ShuffleOrder(0);
        QCOMPARE(game.qOrder[0], qint16(9));
        QCOMPARE(source->reseeds, 1);
        QCOMPARE(source->used, size_t(0));
    }

    // All 27 draw sequences for three entries: the rotation shuffle is not
    // uniform, and the game is meant to keep exactly its leaning.
    void shuffleDistributionForThree()
    {
        ViewedGame game;
        std::map<std::vector<int>, int> counts;
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b)
                for (int c = 0; c < 3; ++c) {
                    game.setRandomSource(std::make_unique<FixedDraws>(FixedDraws::picking({a, b, c}, 3)));
                    game.ShuffleOrder(3);
                    ++counts[firstEntries(game.qOrder, 3)];
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
        game.chooseWordSet(WordSets().find(QString::number(set)));
        std::set<int> wordsSeen;
        for (int round = 0; round < 30; ++round) {
            game.gameOn = false;
            game.PicB_Click();
            const std::vector<int> shown = firstEntries(game.picWord, 10);
            QCOMPARE(std::set<int>(shown.begin(), shown.end()).size(), size_t(10));
            for (int w : shown) {
                QVERIFY(w >= 0 && w < 20);
                wordsSeen.insert(w);
            }
            std::vector<int> asked = firstEntries(game.qOrder, 10);
            std::sort(asked.begin(), asked.end());
            QCOMPARE(asked, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
            QCOMPARE(game.screen.pictures, shown);
            QCOMPARE(game.screen.pictureSet, QString::number(set));
            QCOMPARE(game.screen.hintWord, int(game.askedWord()));
            QVERIFY(!game.wordWav.isEmpty());
            QCOMPARE(game.wordWav, catalogue::loadData(catalogue::wordMedia(set, game.askedWord()), "WAV"));
        }
        QCOMPARE(wordsSeen.size(), size_t(20)); // every word comes up across rounds
        QCOMPARE((QStringList{game.words[0], game.words[12], game.words[19]}), someWords);
        QCOMPARE(game.wordSet, qint16(set));
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
        game.PicB_Click();
        game.level = qint16(level);
        game.screen.stopClock(GameView::Clock::Question);
        game.TimerBoy_Timer(); // the first round's face has long closed
        game.speaker.clear();
        game.pauseTicks = 5;
        game.Timer2_Timer(); // the pause ends and the round on this level is laid out

        const qint16 word = game.askedWord();
        QCOMPARE(game.screen.hint, hint);
        QCOMPARE(game.screen.hintWord, int(word)); // ready for the book even when hidden
        QCOMPARE(game.screen.book, book);
        QCOMPARE(game.screen.wordText, game.words[size_t(word)]);
        QCOMPARE(RecordingPlayer::recordingOf(game.wordWav), 101 + word);
        QCOMPARE(game.screen.face, spoken);
        QCOMPARE(game.screen.active(GameView::Clock::Face), spoken);
        QVERIFY(game.screen.active(GameView::Clock::Question));
        if (spoken) {
            QCOMPARE(game.speaker.played.size(), 1);
            QCOMPARE(game.speaker.played[0].buffer, &game.wordWav);
            QCOMPARE(game.speaker.played[0].mode, PlayMode::Async);
        } else {
            QVERIFY(game.speaker.played.isEmpty());
        }
        // The face of this level's room, at its place.
        QCOMPARE(game.screen.facePicture, 204 + level);
        QCOMPARE(game.screen.facePlace, std::make_pair(int(game.faceX[size_t(level)]), int(game.faceY[size_t(level)])));
    }

    void bookShowsHintAndQueuesTheQuestionAgain()
    {
        ViewedGame game;
        game.PicB_Click();
        game.level = 1;
        game.pauseTicks = 5;
        game.Timer2_Timer();
        QVERIFY(game.screen.book);
        QVERIFY(!game.screen.hint);

        // Use the book at every question: twelve repeats at most, asked in
        // the order they were queued, after the ten pictures.
        std::vector<int> queued;
        int asked = 0;
        while (game.screen.active(GameView::Clock::Question)) {
            if (game.screen.book) {
                const int before = game.repeatCount;
                game.PicHP_Click();
                QVERIFY(game.screen.hint);
                QVERIFY(!game.screen.book);
                if (before < 12)
                    queued.push_back(game.target());
                QCOMPARE(int(game.repeatCount), std::min(before + 1, 12));
            }
            if (asked >= 10)
                QCOMPARE(int(game.target()), queued.at(size_t(asked - 10)));
            game.Labelp_Click(game.target());
            ++asked;
        }
        QCOMPARE(game.repeatCount, qint16(12));
        QCOMPARE(asked, 22);
        QVERIFY(game.screen.active(GameView::Clock::Pause)); // the round is over
    }

    void roomClickRepeatsTheWordDuringAGameOnly()
    {
        ViewedGame game;
        RecordingPlayer &player = game.speaker;
        game.Form_MouseDown(1, 0, 100, 300);
        QVERIFY(player.played.isEmpty()); // no game yet

        game.PicB_Click();
        game.TimerBoy_Timer();
        QVERIFY(!game.screen.face);
        QVERIFY(!game.screen.active(GameView::Clock::Face));
        player.clear();

        game.Form_MouseDown(1, 0, 445, 300);
        game.Form_MouseDown(2, 1, 600, 10);
        QVERIFY(player.played.isEmpty());

        game.Form_MouseDown(1, 0, 444, 449);
        QCOMPARE(player.played.size(), 1);
        QCOMPARE(player.played[0].buffer, &game.wordWav);
        QCOMPARE(player.played[0].mode, PlayMode::Async);
        QCOMPARE(player.stops, 0); // a replay loads nothing
        QVERIFY(game.screen.face);
        QVERIFY(game.screen.active(GameView::Clock::Face));

        // Any button, with modifiers, replays again.
        game.Form_MouseDown(4, 3, 0, 0);
        QCOMPARE(player.played.size(), 2);
    }

    void levelFourWordIsOnlyHeardOnAClick()
    {
        ViewedGame game;
        game.PicB_Click();
        game.level = 3;
        game.TimerBoy_Timer(); // the first round's face has long closed
        game.pauseTicks = 5;
        game.speaker.clear();
        game.Timer2_Timer();
        QVERIFY(game.speaker.played.isEmpty());
        QVERIFY(!game.screen.face);
        game.Form_MouseDown(1, 0, 10, 300);
        QCOMPARE(game.speaker.played.size(), 1);
        QCOMPARE(RecordingPlayer::recordingOf(game.speaker.played[0].bytes), 101 + game.askedWord());
        QVERIFY(game.screen.face);
    }
};

QTEST_GUILESS_MAIN(RoundTest)
#include "tst_round.moc"
