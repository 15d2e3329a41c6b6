#include "forms/form2.h"
#include "forms/form3.h"
#include "sound/sdlsoundplayer.h"
#include "progress/sqliterecorder.h"
#include "records/progresstestutil.h"

#include <QtTest>

// One short game with the program's own widgets, timers, speaker and record:
// start, one right pick, a time-out, wrong picks until the chances are gone,
// then a name on the board and exactly those answers in the record.
class EndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void playOneGameOntoTheBoard()
    {
        QTemporaryDir folder;
        for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME"})
            qputenv(name, folder.path().toUtf8());
        SdlSoundPlayer speaker;
        SqliteRecorder recorder;
        Form2 window(speaker, recorder);
        window.sPath = folder.path() + QLatin1Char('/');
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window, 60000));

        QTest::mouseClick(window.PicB, Qt::LeftButton);
        QVERIFY(window.rules().gameOn);
        QTRY_VERIFY_WITH_TIMEOUT(window.LabelP.count() == 10 && window.LabelP(9)->isVisible(), 60000);
        QVERIFY(window.Timer1.isActive());

        const int asked = window.rules().qOrder[size_t(window.rules().qNum)];
        const QString first = window.Label3->text();
        QTest::mouseClick(window.LabelP(asked), Qt::LeftButton);
        QCOMPARE(window.rules().qNum, qint16(1));
        const qint16 score = window.rules().score;
        QVERIFY(score > 50);
        const QString second = window.Label3->text();
        while (window.rules().lives == 5)
            window.Timer1_Timer();

        while (window.isEnabled() && window.rules().gameOn) {
            const int wrong = (window.rules().qOrder[size_t(window.rules().qNum)] + 1) % 10;
            QTest::mouseClick(window.LabelP(wrong), Qt::LeftButton);
        }
        Form3 *board = window.leaderboardWindow();
        QVERIFY(board);
        QTRY_VERIFY_WITH_TIMEOUT(board->isVisible(), 60000);
        QVERIFY(!window.isEnabled());
        QVERIFY(board->Text1->isVisible());

        // Chinese comes in through the input method, as a committed string.
        QInputMethodEvent typed;
        typed.setCommitString(QStringLiteral("小明"));
        QApplication::sendEvent(board->Text1, &typed);
        QTest::keyClick(board->Text1, Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!board->isVisible(), 60000);
        QVERIFY(window.isEnabled());

        QFile file(folder.filePath(QStringLiteral("kivora1.tmp")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 11); // ten lines and nothing after the last line end
        QCOMPARE(lines[0], QByteArray("\xD0\xA1\xC3\xF7,") + QByteArray::number(score) + '\r');
        QCOMPARE(lines[1], QByteArray("0,0\r"));

        recorder.waitForWrites();
        const QString record = folder.filePath("wordnest/progress.sqlite");
        QCOMPARE(column(record, "SELECT word_set||' '||score||' '||level FROM games"),
                 QStringList("1 " + QString::number(score) + " 0"));
        QCOMPARE(column(record, "SELECT word_set||' '||word||' '||level||' '||first_try_right||' '||wrong_picks||' '||"
                                "timeouts||' '||(ms IS NULL) FROM answers ORDER BY id"),
                 (QStringList{"1 " + first + " 0 1 0 0 0", "1 " + second + " 0 0 4 1 1"}));
    }
};

QTEST_MAIN(EndToEndTest)
#include "tst_endtoend.moc"
