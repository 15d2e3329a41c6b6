#include "app/form2.h"
#include "media/catalogue.h"
#include "words/wordsets.h"
#include "support/fixeddraws.h"
#include "support/recordingplayer.h"

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
    static bool shows(const PictureBox *box, int picture)
    {
        const QImage expected = catalogue::loadPicture(picture).toImage();
        return !expected.isNull() && box->pixmap().toImage() == expected;
    }
    static qint16 askedWord(const Form2 &window)
    {
        return window.picWord[size_t(window.qOrder[size_t(window.qNum)])];
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
        RecordingPlayer player;
        Form2 window(player);
        const int n = int(draws.size());
        window.setRandomSource(std::make_unique<FixedDraws>(FixedDraws::picking(draws, n)));
        window.qOrder.fill(77);
        window.ShuffleOrder(qint16(n));
        QCOMPARE(firstEntries(window.qOrder, n), order);
        QCOMPARE(window.qOrder[size_t(n)], qint16(77)); // the rest is untouched
    }

    void shuffleOfNothingOnlyReseeds()
    {
        RecordingPlayer player;
        Form2 window(player);
        auto draws = std::make_unique<FixedDraws>(std::vector<double>{0.5});
        FixedDraws *source = draws.get();
        window.setRandomSource(std::move(draws));
        window.qOrder.fill(9);
        window.ShuffleOrder(0);
        QCOMPARE(window.qOrder[0], qint16(9));
        QCOMPARE(source->reseeds, 1);
        QCOMPARE(source->used, size_t(0));
    }

    // All 27 draw sequences for three entries: the rotation shuffle is not
    // uniform, and the game is meant to keep exactly its leaning.
    void shuffleDistributionForThree()
    {
        RecordingPlayer player;
        Form2 window(player);
        std::map<std::vector<int>, int> counts;
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b)
                for (int c = 0; c < 3; ++c) {
                    window.setRandomSource(std::make_unique<FixedDraws>(FixedDraws::picking({a, b, c}, 3)));
                    window.ShuffleOrder(3);
                    ++counts[firstEntries(window.qOrder, 3)];
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
        RecordingPlayer player;
        Form2 window(player);
        window.chooseWordSet(WordSets().find(QString::number(set)));
        std::set<int> wordsSeen;
        for (int round = 0; round < 30; ++round) {
            window.gameOn = false;
            window.PicB_Click();
            const std::vector<int> shown = firstEntries(window.picWord, 10);
            QCOMPARE(std::set<int>(shown.begin(), shown.end()).size(), size_t(10));
            for (int w : shown) {
                QVERIFY(w >= 0 && w < 20);
                wordsSeen.insert(w);
            }
            std::vector<int> asked = firstEntries(window.qOrder, 10);
            std::sort(asked.begin(), asked.end());
            QCOMPARE(asked, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
            for (int p = 0; p < 10; ++p)
                QVERIFY(shows(window.LabelP(p), catalogue::wordMedia(set, window.picWord[size_t(p)])));
            const int question = catalogue::wordMedia(set, askedWord(window));
            QVERIFY(shows(window.Picz, question));
            QVERIFY(!window.wordWav.isEmpty());
            QCOMPARE(window.wordWav, catalogue::loadData(question, "WAV"));
        }
        QCOMPARE(wordsSeen.size(), size_t(20)); // every word comes up across rounds
        QCOMPARE((QStringList{window.words[0], window.words[12], window.words[19]}), someWords);
        QCOMPARE(window.wordSet, qint16(set));
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

    void gridIsTwoRowsOfFive()
    {
        RecordingPlayer player;
        Form2 window(player);
        window.show();
        window.PicB_Click();
        QCOMPARE(window.picCount, qint16(9));
        QCOMPARE(window.LabelP.count(), 10);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(window.LabelP(i)->geometry(), QRect(90 * (i % 5), i < 5 ? 0 : 91, 90, 90));
            QVERIFY(window.LabelP(i)->isVisible());
        }
    }

    // Rounds come and go without leaving controls behind.
    void roundsDoNotPileUpPictures()
    {
        RecordingPlayer player;
        Form2 window(player);
        window.PicB_Click();
        const int controls = window.findChildren<QWidget *>().size();
        for (int round = 0; round < 20; ++round) {
            window.pauseTicks = 5;
            window.Timer2_Timer();
        }
        window.gameOn = false;
        window.PicB_Click();
        QCOMPARE(window.findChildren<QWidget *>().size(), controls);
        QCOMPARE(window.LabelP.count(), 10);
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
        RecordingPlayer player;
        Form2 window(player);
        window.show();
        window.PicB_Click();
        window.level = qint16(level);
        window.Timer1.stop();
        window.TimerBoy_Timer(); // the first round's face has long closed
        player.clear();
        window.pauseTicks = 5;
        window.Timer2_Timer(); // the pause ends and the round on this level is laid out

        const qint16 word = askedWord(window);
        QCOMPARE(window.Picz->isVisible(), hint);
        QVERIFY(shows(window.Picz, 101 + word)); // ready for the book even when hidden
        QCOMPARE(window.PicHP->isVisible(), book);
        QCOMPARE(window.Label3->text(), window.words[size_t(word)]);
        QCOMPARE(RecordingPlayer::recordingOf(window.wordWav), 101 + word);
        QCOMPARE(window.PicBoy(0)->isVisible(), spoken);
        QCOMPARE(window.Timerboy.isActive(), spoken);
        QVERIFY(window.Timer1.isActive());
        if (spoken) {
            QCOMPARE(player.played.size(), 1);
            QCOMPARE(player.played[0].buffer, &window.wordWav);
            QCOMPARE(player.played[0].mode, PlayMode::Async);
        } else {
            QVERIFY(player.played.isEmpty());
        }
        // The face of this level's room, at its place.
        QVERIFY(shows(window.PicBoy(0), 204 + level));
        QCOMPARE(window.PicBoy(0)->pos(), QPoint(window.faceX[size_t(level)], window.faceY[size_t(level)]));
    }

    void bookShowsHintAndQueuesTheQuestionAgain()
    {
        RecordingPlayer player;
        Form2 window(player);
        window.show();
        window.PicB_Click();
        window.level = 1;
        window.pauseTicks = 5;
        window.Timer2_Timer();
        QVERIFY(window.PicHP->isVisible());
        QVERIFY(window.Picz->isHidden());

        // Use the book at every question: twelve repeats at most, asked in
        // the order they were queued, after the ten pictures.
        std::vector<int> queued;
        int asked = 0;
        while (window.Timer1.isActive()) {
            if (window.PicHP->isVisible()) {
                const int before = window.repeatCount;
                window.PicHP_Click();
                QVERIFY(window.Picz->isVisible());
                QVERIFY(window.PicHP->isHidden());
                if (before < 12)
                    queued.push_back(window.qOrder[size_t(window.qNum)]);
                QCOMPARE(int(window.repeatCount), std::min(before + 1, 12));
            }
            if (asked >= 10)
                QCOMPARE(int(window.qOrder[size_t(window.qNum)]), queued.at(size_t(asked - 10)));
            window.Labelp_Click(window.qOrder[size_t(window.qNum)]);
            ++asked;
        }
        QCOMPARE(window.repeatCount, qint16(12));
        QCOMPARE(asked, 22);
        QVERIFY(window.Timer2.isActive()); // the round is over
    }

    void roomClickRepeatsTheWordDuringAGameOnly()
    {
        RecordingPlayer player;
        Form2 window(player);
        window.show();
        window.Form_MouseDown(1, 0, 100, 300);
        QVERIFY(player.played.isEmpty()); // no game yet

        window.PicB_Click();
        window.TimerBoy_Timer();
        QVERIFY(window.PicBoy(0)->isHidden());
        QVERIFY(!window.Timerboy.isActive());
        player.clear();

        window.Form_MouseDown(1, 0, 445, 300);
        window.Form_MouseDown(2, 1, 600, 10);
        QVERIFY(player.played.isEmpty());

        window.Form_MouseDown(1, 0, 444, 449);
        QCOMPARE(player.played.size(), 1);
        QCOMPARE(player.played[0].buffer, &window.wordWav);
        QCOMPARE(player.played[0].mode, PlayMode::Async);
        QCOMPARE(player.stops, 0); // a replay loads nothing
        QVERIFY(window.PicBoy(0)->isVisible());
        QVERIFY(window.Timerboy.isActive());

        // Any button, with modifiers, replays again.
        window.Form_MouseDown(4, 3, 0, 0);
        QCOMPARE(player.played.size(), 2);

        // The real press path: a disabled window takes none.
        window.setEnabled(false);
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(100, 300));
        QCOMPARE(player.played.size(), 2);
        window.setEnabled(true);
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(100, 300));
        QCOMPARE(player.played.size(), 3);
    }

    void levelFourWordIsOnlyHeardOnAClick()
    {
        RecordingPlayer player;
        Form2 window(player);
        window.show();
        window.PicB_Click();
        window.level = 3;
        window.TimerBoy_Timer(); // the first round's face has long closed
        window.pauseTicks = 5;
        player.clear();
        window.Timer2_Timer();
        QVERIFY(player.played.isEmpty());
        QVERIFY(window.PicBoy(0)->isHidden());
        window.Form_MouseDown(1, 0, 10, 300);
        QCOMPARE(player.played.size(), 1);
        QCOMPARE(RecordingPlayer::recordingOf(player.played[0].bytes), 101 + askedWord(window));
        QVERIFY(window.PicBoy(0)->isVisible());
    }
};

QTEST_MAIN(RoundTest)
#include "tst_round.moc"
