#include "app/form2.h"
#include "leaderboard/form3.h"
#include "media/sdlsoundplayer.h"

#include <QtTest>

// One short game with the program's own widgets, timers and speaker: start,
// one right pick, wrong picks until the chances are gone, then a name on the
// board.
class EndToEndTest : public QObject
{
    Q_OBJECT

private slots:
    void playOneGameOntoTheBoard()
    {
        QTemporaryDir folder;
        SdlSoundPlayer speaker;
        Form2 window(speaker);
        window.sPath = folder.path() + QLatin1Char('/');
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::mouseClick(window.PicB, Qt::LeftButton);
        QVERIFY(window.gameOn);
        QTRY_VERIFY(window.LabelP.count() == 10 && window.LabelP(9)->isVisible());
        QVERIFY(window.Timer1.isActive());

        const int asked = window.qOrder[size_t(window.qNum)];
        QTest::mouseClick(window.LabelP(asked), Qt::LeftButton);
        QCOMPARE(window.qNum, qint16(1));
        const qint16 score = window.score;
        QVERIFY(score > 50);

        while (window.isEnabled() && window.gameOn) {
            const int wrong = (window.qOrder[size_t(window.qNum)] + 1) % 10;
            QTest::mouseClick(window.LabelP(wrong), Qt::LeftButton);
        }
        Form3 *board = window.leaderboardWindow();
        QVERIFY(board);
        QTRY_VERIFY(board->isVisible());
        QVERIFY(!window.isEnabled());
        QVERIFY(board->Text1->isVisible());

        // Chinese comes in through the input method, as a committed string.
        QInputMethodEvent typed;
        typed.setCommitString(QStringLiteral("小明"));
        QApplication::sendEvent(board->Text1, &typed);
        QTest::keyClick(board->Text1, Qt::Key_Return);
        QTRY_VERIFY(!board->isVisible());
        QVERIFY(window.isEnabled());

        QFile file(folder.filePath(QStringLiteral("kivora1.tmp")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 11); // ten lines and nothing after the last line end
        QCOMPARE(lines[0], QByteArray("\xD0\xA1\xC3\xF7,") + QByteArray::number(score) + '\r');
        QCOMPARE(lines[1], QByteArray("0,0\r"));
    }
};

QTEST_MAIN(EndToEndTest)
#include "tst_endtoend.moc"
