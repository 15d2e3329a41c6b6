// The record of every answer: what it keeps, what it reads back, and how it
// treats a record it cannot use. Each test has a data folder of its own.
#include "children/childlist.h"
#include "progress/firstchildclaim.h"
#include "progress/progressreader.h"
#include "progress/questiontally.h"
#include "progress/sqliterecorder.h"
#include "records/boardtestutil.h"
#include "records/progresstestutil.h"

#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class ProgressTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> data;
    QString path() const { return data->path() + "/wordnest/progress.sqlite"; }

private slots:
    void init()
    {
        data = std::make_unique<QTemporaryDir>();
        for (const char *folder : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"})
            qputenv(folder, data->path().toUtf8());
        QSettings("wordnest", "wordnest").clear();  // Qt keeps the first test's settings folder
    }

    void recordsEveryQuestionAsGiven()
    {
        {
            SqliteRecorder recorder;
            QuestionTally tally;
            recorder.gameStarted({"2", "untimed", 7});
            tally.ask("2", "cat", 0), tally.timeOut();  // a time-out is no pick
            recorder.questionEnded(tally.rightPick());
            tally.ask("2", "=dog", 1), tally.wrongPick(), tally.wrongPick();
            recorder.questionEnded(tally.rightPick());
            tally.ask("-我的词,1", "\"ice\" cream", 3), tally.wrongPick(), tally.timeOut();
            recorder.questionEnded(tally.cutOff());
            recorder.gameEnded(1234, 3);
        }
        QCOMPARE(column(path(), "SELECT word_set||' '||pace||' '||score||' '||level||' '||(ended >= started) FROM games")
                     + column(path(), "PRAGMA journal_mode") + column(path(), "PRAGMA user_version"),
                 (QStringList{"2 untimed 1234 3 1", "wal", "3"}));
        QVERIFY(ProgressReader().exportCsvFile(data->path() + "/export.csv", {{7, "=Mia, Li"}}));
        const QByteArray csv = readAll(data->path() + "/export.csv");
        const QString childTime = "\"'=Mia, Li\",\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d(Z|[+-]\\d\\d:\\d\\d),";
        const QString expected = "child,time,set,word,level,first_try_right,wrong_picks,timeouts,ms,pace\r\n" + childTime
                                 + "2,cat,0,1,0,1,\\d+,untimed\r\n" + childTime + "2,'=dog,1,0,2,0,\\d+,untimed\r\n" + childTime
                                 + "\"'-我的词,1\",\"\"\"ice\"\" cream\",3,0,1,1,,untimed\r\n";
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(expected)).match(csv).hasMatch(), csv.data());
        // Forgotten, also from the free space in the file.
        QVERIFY(ProgressReader().forgetAll() && !readAll(path()).contains("dog"));
        QCOMPARE(column(path(), "SELECT count(*) FROM answers UNION ALL SELECT count(*) FROM games"),
                 (QStringList{"0", "0"}));
    }

    // Records made by earlier versions (their later changes undone): games
    // before the pace were standard ones, games before children no child's;
    // the next games keep both.
    void earlierRecordMigrates_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QStringList>("undo");
        QTest::addColumn<QString>("oldGame");
        const QStringList noChildren{"DROP INDEX games_by_child", "ALTER TABLE games DROP COLUMN child"};
        QTest::newRow("before the pace") << 1 << noChildren + QStringList{"ALTER TABLE games DROP COLUMN pace"}
                                         << "1 standard 0";
        QTest::newRow("before children") << 2 << noChildren << "1 untimed 0";
    }
    void earlierRecordMigrates()
    {
        QFETCH(int, version);
        QFETCH(QStringList, undo);
        QFETCH(QString, oldGame);
        SqliteRecorder().gameStarted({"1", "untimed", 3});
        {
            ProgressConnection record;
            QCOMPARE(record.open(path(), ProgressConnection::Mode::Write), ProgressConnection::State::Ready);
            QSqlQuery query(record.db());
            for (const QString &sql : undo + QStringList{QString("PRAGMA user_version=%1").arg(version)})
                QVERIFY2(query.exec(sql), qPrintable(query.lastError().text()));
        }
        // The page reads an earlier record, brought up to date, rather than none.
        QCOMPARE(ProgressReader().state(), ProgressConnection::State::Ready);
        SqliteRecorder().gameStarted({"2", "slower", 4});
        QCOMPARE(column(path(), "SELECT word_set||' '||pace||' '||child FROM games") + column(path(), "PRAGMA user_version"),
                 (QStringList{oldGame, "2 slower 4", "3"}));
    }

    void trickyWordsFromPreparedRecord_data()
    {
        QTest::addColumn<QStringList>("sets");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("expected");
        // zoo never right; bed and Bed are one word, last asked in set 2; cat asked only twice;
        // dog ties with Bed (text decides), fish with ant (the more often asked first).
        QTest::newRow("every set") << QStringList() << 20
                                   << QStringList{"zoo 5", "Bed 2", "dog 3", "fish 1", "ant 4", "egg 3", "sun 1"};
        QTest::newRow("the first three") << QStringList() << 3 << QStringList{"zoo 5", "Bed 2", "dog 3"};
        QTest::newRow("sets 1 and 3") << QStringList{"1", "3"} << 20
                                      << QStringList{"bed 1", "dog 3", "fish 1", "egg 3", "sun 1"};
    }
    void trickyWordsFromPreparedRecord()
    {
        QFETCH(QStringList, sets);
        QFETCH(int, count);
        QFETCH(QStringList, expected);
        SqliteRecorder().gameStarted({"1"});
        ProgressConnection record;
        QCOMPARE(record.open(path(), ProgressConnection::Mode::Write), ProgressConnection::State::Ready);
        // Set, word, and whether each time it was asked the first pick was right.
        const char *const answers[][3] = {{"1", "bed", "000"}, {"5", "zoo", "000"},  {"1", "fish", "010101"},
                                          {"3", "dog", "0001"}, {"2", "Bed", "1"},   {"2", "cat", "00"},
                                          {"3", "egg", "011"},  {"4", "ant", "1100"}, {"1", "sun", "111"}};
        QSqlQuery insert(record.db());
        QVERIFY(insert.exec("UPDATE games SET started = '2026-12-01T09:00:00+08:00'"));
        for (const auto &[set, word, firstTries] : answers)
            for (const char *right = firstTries; *right; ++right)
                QVERIFY(insert.exec(QString("INSERT INTO answers (game, time, word_set, word, level, first_try_right,"
                                            " wrong_picks, timeouts) VALUES (1, '2026-12-01T18:00:00+08:00', '%1',"
                                            " '%2', 0, %3, 0, 0)").arg(set, word, QChar(*right))));

        ProgressReader reader;
        QStringList tricky;
        for (const TrickyWord &word : reader.trickyWords({ChildList::noChild}, sets, count))
            tricky << word.word + u' ' + word.setId;
        QCOMPARE(tricky, expected);
        QStringList setOne;
        for (const WordStat &word : reader.wordStats("1", {ChildList::noChild}))
            setOne << QString("%1 %2/%3").arg(word.word).arg(word.firstTryRight).arg(word.asked);
        QCOMPARE(setOne, (QStringList{"bed 0/3", "fish 3/6", "sun 3/3"}));
        // The day on the player's clock, whatever the time zone here; a week back from the 7th.
        const DayStat day = reader.days({ChildList::noChild}, 1, QDate(2026, 12, 7)).value(0);
        QCOMPARE(QList<int>({int(reader.days({ChildList::noChild}, 1, QDate(2026, 12, 7)).size()), day.day.day(), day.games, day.questions,
                             day.firstTryRight}), QList<int>({1, 1, 1, 29, 12}));
        QVERIFY(reader.days({ChildList::noChild}, 1, QDate(2026, 12, 8)).isEmpty());
    }

    // The answers kept before there were children become the first child's,
    // also when the record was busy then (the recorder's next game takes them);
    // each child reads, forgets and is removed with their own answers alone.
    void answersPerChild_data()
    {
        QTest::addColumn<bool>("busy");
        QTest::newRow("record free") << false;
        QTest::newRow("record busy as the first child comes") << true;
    }
    void answersPerChild()
    {
        QFETCH(bool, busy);
        SqliteRecorder recorder;
        const auto play = [&recorder](int child, const char *pace, const QStringList &answers) {
            recorder.gameStarted({answers[0].left(1), pace, child});
            for (const QString &answer : answers)
                recorder.questionEnded({answer.left(1), answer.mid(2).chopped(2), 0, answer.endsWith('1')});
            recorder.gameEnded(1, 0), recorder.waitForWrites();
        };
        play(ChildList::noChild, "standard", {"1 bed 0", "1 cup 1"});
        ChildList list;
        int mia = 0, leo = 0;
        {
            ProgressConnection teacher;
            QSqlQuery hold;
            if (busy) {
                teacher.open(path(), ProgressConnection::Mode::Read);
                hold = QSqlQuery(teacher.db());
                QVERIFY(hold.exec("BEGIN IMMEDIATE"));
            }
            QCOMPARE(list.add("Mia", ChildList::pictureChoices()[0], &mia), ChildList::Refusal::None);
            QCOMPARE(FirstChildClaim::waiting().child, busy ? mia : 0);
            QCOMPARE(list.add("Leo", ChildList::pictureChoices()[1], &leo), ChildList::Refusal::None);
            if (busy)
                QCOMPARE(list.remove(leo, false), ChildList::Refusal::RecordBusy);
        }
        play(mia, "slower", {"1 bed 0"});
        play(leo, "untimed", {"2 cat 1", "2 dog 0"});
        QVERIFY(!FirstChildClaim::waiting());
        ProgressReader reader;
        const auto stats = [&reader](const QString &set, int child) {
            QStringList words;
            for (const WordStat &word : reader.wordStats(set, {child}))
                words << QString("%1 %2/%3").arg(word.word).arg(word.firstTryRight).arg(word.asked);
            return words.join(", ");
        };
        QCOMPARE(stats("1", mia) + "; " + stats("2", leo) + "; " + stats("1", ChildList::noChild),
                 "bed 0/2, cup 1/1; dog 0/1, cat 1/1; ");
        QStringList summary;
        for (const ChildSummary &child : reader.classSummary({leo, ChildList::noChild, mia}))
            summary << QString("%1 %2 %3 %4").arg(child.games).arg(child.asked).arg(child.firstTryRight)
                           .arg(child.hardest.join(u'+'));
        QCOMPARE(summary, (QStringList{"1 2 1 dog", "0 0 0 ", "2 3 1 bed"}));
        QCOMPARE(list.remove(leo, false), ChildList::Refusal::None);
        QCOMPARE(column(path(), "SELECT child FROM games") + column(path(), "SELECT word FROM answers ORDER BY id"),
                 (QStringList{QString::number(mia), QString::number(mia), "bed", "cup", "bed"}));
        QVERIFY(ProgressReader().forget({mia}));
        QCOMPARE(column(path(), "SELECT count(*) FROM answers"), QStringList{"0"});
    }

    void unusableRecordKeptAndSetAside_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("setAside");
        QTest::newRow("text") << "text" << true;
        QTest::newRow("a folder, which cannot be opened") << "folder" << false;
        QTest::newRow("a record whose log cannot be opened") << "record" << false;
        QTest::newRow("another program's database") << "CREATE TABLE notes (text)" << true;
        QTest::newRow("a later version's record, kept as it is") << "PRAGMA user_version=4" << false;
    }
    void unusableRecordKeptAndSetAside()
    {
        QFETCH(QString, kind);
        QFETCH(bool, setAside);
        QVERIFY(QDir().mkpath(QFileInfo(path()).path()));
        if (kind == "folder" || kind == "text") {
            QVERIFY(kind == "folder" ? QDir().mkpath(path()) : writeAll(path(), "这不是数据库\n"));
        } else if (kind == "record") {  // the history stays; a folder named like its log stops SQLite
            SqliteRecorder().gameStarted({"1"});
            QVERIFY(QDir().mkpath(path() + "-wal"));
        } else {
            QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", kind);
            other.setDatabaseName(path());
            QVERIFY(other.open() && QSqlQuery(other).exec(kind));
            other.close();
        }
        QVERIFY(kind == "record" || (writeAll(path() + "-wal", "wal") && writeAll(path() + "-shm", "shm")));
        const QByteArray before = QFileInfo(path()).isDir() ? "folder" : readAll(path());

        SqliteRecorder recorder;
        recorder.waitForWrites();
        const RecorderStatus status = recorder.status();
        QCOMPARE(status.recording, setAside);
        QVERIFY(!status.reason.isEmpty() && status.reason.contains(status.setAsideAs));
        const QString kept = setAside ? status.setAsideAs : path();
        QCOMPARE(QFileInfo(kept).isDir() ? "folder" : readAll(kept), before);
        // -shm is SQLite's index of the log: any reader rebuilds it.
        QVERIFY(kind == "record" ? QFileInfo(kept + "-wal").isDir()
                                 : readAll(kept + "-wal") == "wal" && QFileInfo::exists(kept + "-shm"));
        QCOMPARE(status.setAsideAs.isEmpty(), !setAside);
        if (!setAside)
            return;
        recorder.gameStarted({"1"}), recorder.questionEnded({"1", "bed"}), recorder.waitForWrites();
        QCOMPARE(column(path(), "SELECT word FROM answers"), QStringList{"bed"});
    }

    // Answers given while another program holds the record wait, as many as
    // fit, and go in with the first answer after the lock is gone.
    void lockedRecordKeepsAnswersUntilFree_data()
    {
        QTest::addColumn<int>("more");
        QTest::newRow("a few") << 0;
        QTest::newRow("more than fit") << int(SqliteRecorder::maxHeld);
    }
    void lockedRecordKeepsAnswersUntilFree()
    {
        QFETCH(int, more);
        SqliteRecorder recorder;
        recorder.waitForWrites();
        {
            ProgressConnection teacher;
            QCOMPARE(teacher.open(path(), ProgressConnection::Mode::Read), ProgressConnection::State::Ready);
            QSqlQuery hold(teacher.db());
            QVERIFY(hold.exec("BEGIN IMMEDIATE"));
            recorder.gameStarted({"1"}), recorder.questionEnded({"1", "bed"});
            for (int n = 0; n < more; ++n)
                recorder.questionEnded({"1", "many"});
            recorder.waitForWrites();  // each try gives up after the busy timeout
            QVERIFY(!recorder.status().reason.isEmpty());
            QCOMPARE(recorder.status().gamesSkipped, more ? 1 : 0);
        }
        recorder.questionEnded({"1", "cat"}), recorder.gameEnded(9, 1);  // the rest of a game cut short is lost
        recorder.gameStarted({"1"}), recorder.questionEnded({"1", "cup"}), recorder.waitForWrites();
        QVERIFY(recorder.status().recording);
        QCOMPARE(recorder.status().reason.isEmpty(), !more);  // no longer waiting; the loss stays said
        const QStringList answers = column(path(), "SELECT game||' '||word FROM answers ORDER BY id");
        QCOMPARE(answers.size(), more ? int(SqliteRecorder::maxHeld) : 3);
        QCOMPARE(answers.first() + u',' + answers[answers.size() - 2] + u',' + answers.last(),
                 more ? "1 bed,1 many,2 cup" : "1 bed,1 cat,2 cup");
        QCOMPARE(column(path(), "SELECT count(*) FROM games WHERE ended IS NOT NULL"), QStringList{more ? "0" : "1"});
    }
};

QTEST_GUILESS_MAIN(ProgressTest)
#include "tst_progress.moc"
