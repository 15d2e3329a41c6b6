// The record of every answer: what it keeps, what it reads back, and how it
// treats a record it cannot use. Each test has a data folder of its own.
#include "progress/progressreader.h"
#include "progress/questiontally.h"
#include "progress/sqliterecorder.h"
#include "tests/leaderboard/boardtestutil.h"
#include "tests/progress/progresstestutil.h"

#include <QBuffer>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class ProgressTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> data;
    QString path() const { return data->path() + QStringLiteral("/wordnest/progress.sqlite"); }

private slots:
    void init()
    {
        data = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", data->path().toUtf8());
    }

    void recordsEveryQuestionAsGiven()
    {
        {
            SqliteRecorder recorder;
            QuestionTally tally;
            recorder.gameStarted(QStringLiteral("2"));
            tally.ask(QStringLiteral("2"), QStringLiteral("cat"), 0);
            tally.timeOut();
            recorder.questionEnded(tally.rightPick());
            tally.ask(QStringLiteral("2"), QStringLiteral("dog"), 1);
            tally.wrongPick();
            tally.wrongPick();
            recorder.questionEnded(tally.rightPick());
            tally.ask(QStringLiteral("我的词,1"), QStringLiteral("\"ice\" cream"), 3);
            tally.wrongPick();
            tally.timeOut();
            recorder.questionEnded(tally.cutOff());
            recorder.gameEnded(1234, 3);
        }
        QCOMPARE(column(path(), QStringLiteral("PRAGMA journal_mode")), QStringList{"wal"});
        QCOMPARE(column(path(), QStringLiteral("PRAGMA user_version")), QStringList{"1"});
        QCOMPARE(column(path(), QStringLiteral("SELECT word_set||' '||score||' '||level||' '||(ended >= started) FROM games")),
                 QStringList{"2 1234 3 1"});
        QBuffer csv;
        csv.open(QIODevice::WriteOnly);
        QVERIFY(ProgressReader().exportCsv(csv));
        const QString time = QStringLiteral("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d(Z|[+-]\\d\\d:\\d\\d),");
        const QStringList expected{"time,set,word,level,first_try_right,wrong_picks,timeouts,ms\r",
                                   time + "2,cat,0,1,0,1,\\d+\r", time + "2,dog,1,0,2,0,\\d+\r",
                                   time + "\"我的词,1\",\"\"\"ice\"\" cream\",3,0,1,1,\r", ""};
        const QStringList rows = QString::fromUtf8(csv.data()).split(u'\n');
        QCOMPARE(rows.size(), expected.size());
        for (int i = 0; i < rows.size(); ++i)
            QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(expected[i])).match(rows[i]).hasMatch(),
                     qPrintable(rows[i]));
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
        SqliteRecorder().gameStarted(QStringLiteral("1"));
        ProgressConnection record;
        QCOMPARE(record.open(path(), ProgressConnection::Mode::Write), ProgressConnection::State::Ready);
        // Set, word, and whether each time it was asked the first pick was right.
        const char *const answers[][3] = {{"1", "bed", "000"}, {"5", "zoo", "000"},  {"1", "fish", "010101"},
                                          {"3", "dog", "0001"}, {"2", "Bed", "1"},   {"2", "cat", "00"},
                                          {"3", "egg", "011"},  {"4", "ant", "1100"}, {"1", "sun", "111"}};
        QSqlQuery insert(record.db());
        QVERIFY(insert.exec(QStringLiteral("UPDATE games SET started = '2026-12-01T09:00:00+08:00'")));
        for (const auto &[set, word, firstTries] : answers)
            for (const char *right = firstTries; *right; ++right) {
                insert.prepare(QStringLiteral("INSERT INTO answers (game, time, word_set, word, level, first_try_right,"
                                              " wrong_picks, timeouts) VALUES (1, '2026-12-01T18:00:00+08:00', ?, ?, 0, ?, 0, 0)"));
                insert.addBindValue(QString::fromUtf8(set));
                insert.addBindValue(QString::fromUtf8(word));
                insert.addBindValue(*right == '1');
                QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
            }

        ProgressReader reader;
        QStringList tricky;
        for (const TrickyWord &word : reader.trickyWords(sets, count))
            tricky << word.word + u' ' + word.setId;
        QCOMPARE(tricky, expected);
        QStringList setOne;
        for (const WordStat &word : reader.wordStats(QStringLiteral("1")))
            setOne << QStringLiteral("%1 %2/%3").arg(word.word).arg(word.firstTryRight).arg(word.asked);
        QCOMPARE(setOne, (QStringList{"bed 0/3", "fish 3/6", "sun 3/3"}));
        // The day on the player's clock, whatever the time zone here; a week back from the 7th.
        const QList<DayStat> days = reader.days(1, QDate(2026, 12, 7));
        QCOMPARE(days.size(), 1);
        QCOMPARE(days[0].day, QDate(2026, 12, 1));
        QCOMPARE(days[0].games, 1);
        QCOMPARE(days[0].questions, 29);
        QCOMPARE(days[0].firstTryRight, 12);
        QVERIFY(reader.days(1, QDate(2026, 12, 8)).isEmpty());
    }

    void unusableRecordKeptAndSetAside_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("setAside");
        QTest::newRow("text") << "text" << true;
        QTest::newRow("folder") << "folder" << true;
        QTest::newRow("another program's database") << "CREATE TABLE notes (text)" << true;
        QTest::newRow("a later version's record") << "PRAGMA user_version=2" << false;
    }
    void unusableRecordKeptAndSetAside()
    {
        QFETCH(QString, kind);
        QFETCH(bool, setAside);
        QVERIFY(QDir().mkpath(QFileInfo(path()).path()));
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path()));
        } else if (kind == QLatin1String("text")) {
            QVERIFY(writeAll(path(), "这不是数据库\n"));
        } else {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kind);
            other.setDatabaseName(path());
            QVERIFY(other.open() && QSqlQuery(other).exec(kind));
            other.close();
        }
        QVERIFY(writeAll(path() + "-wal", "wal") && writeAll(path() + "-shm", "shm"));
        const QByteArray before = QFileInfo(path()).isDir() ? "folder" : readAll(path());

        SqliteRecorder recorder;
        recorder.waitForWrites();
        const RecorderStatus status = recorder.status();
        QCOMPARE(status.recording, setAside);
        QVERIFY(!status.reason.isEmpty());
        const QString kept = setAside ? status.setAsideAs : path();
        QVERIFY(status.reason.contains(status.setAsideAs));
        QCOMPARE(QFileInfo(kept).isDir() ? "folder" : readAll(kept), before);
        QCOMPARE(readAll(kept + "-wal"), "wal");
        QVERIFY(QFileInfo::exists(kept + "-shm"));  // SQLite's index of the log: any reader rebuilds it
        if (!setAside)
            return;
        recorder.gameStarted(QStringLiteral("1"));
        recorder.questionEnded(QuestionResult{"1", "bed"});
        recorder.waitForWrites();
        QCOMPARE(column(path(), QStringLiteral("SELECT word FROM answers")), QStringList{"bed"});
    }

    void lockedRecordSkipsOnlyThatGame()
    {
        SqliteRecorder recorder;
        recorder.waitForWrites();
        {
            ProgressConnection teacher;
            QCOMPARE(teacher.open(path(), ProgressConnection::Mode::Read), ProgressConnection::State::Ready);
            QSqlQuery hold(teacher.db());
            QVERIFY(hold.exec(QStringLiteral("BEGIN IMMEDIATE")));
            recorder.gameStarted(QStringLiteral("1"));
            recorder.questionEnded(QuestionResult{"1", "bed"});
            recorder.waitForWrites();  // given up after the busy timeout
            QCOMPARE(recorder.status().gamesSkipped, 1);
            QVERIFY(hold.exec(QStringLiteral("ROLLBACK")));
        }
        recorder.gameStarted(QStringLiteral("1"));
        recorder.questionEnded(QuestionResult{"1", "cup"});
        recorder.waitForWrites();
        QCOMPARE(recorder.status().gamesSkipped, 1);
        QVERIFY(recorder.status().recording);
        QCOMPARE(column(path(), QStringLiteral("SELECT word FROM answers")), QStringList{"cup"});
    }
};

QTEST_GUILESS_MAIN(ProgressTest)
#include "tst_progress.moc"
