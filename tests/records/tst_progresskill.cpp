// Kills a child process that records questions (and makes the record at
// first) with SIGKILL at random moments after it has written one. After every
// kill the record passes SQLite's integrity check and holds every question the
// child saw written.
#include "progress/sqliterecorder.h"
#include "records/progresstestutil.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Question n has the word "n"; each is acknowledged on `written` once written.
[[noreturn]] void recordForever(const QString &path, int next, int written)
{
    SqliteRecorder recorder(path);
    for (int n = next;; ++n) {
        if (n == next || n % 7 == 0)
            recorder.gameEnded(n, n % 4), recorder.gameStarted({"1"});
        recorder.questionEnded(QuestionResult{"1", QString::number(n), n % 4, n % 2 == 0, n % 3, n % 5, n});
        recorder.waitForWrites();
        if (write(written, &n, sizeof n) != sizeof n)
            _exit(1);
    }
}

} // namespace

class ProgressKillTest : public QObject
{
    Q_OBJECT

private slots:
    void killedRecorderKeepsEveryWrittenQuestion()
    {
        QTemporaryDir dir;
        const QString path = dir.path() + QStringLiteral("/progress.sqlite");
        int written[2];
        QVERIFY(pipe(written) == 0 && fcntl(written[0], F_SETFL, O_NONBLOCK) == 0); // poll waits
        QRandomGenerator random(20261207);
        constexpr int kills = 100;
        int recorded = 0;
        int acknowledged = -1;
        for (int round = 0; round < kills; ++round) {
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0)
                recordForever(path, recorded, written[1]);
            // However slow the machine, the child gets to write in every round.
            int n = -1;
            pollfd ack{written[0], POLLIN, 0};
            QVERIFY2(poll(&ack, 1, 300000) == 1, "the child wrote nothing in five minutes");
            QCOMPARE(read(written[0], &n, sizeof n), ssize_t(sizeof n));
            QCOMPARE(n, recorded);
            usleep(random.bounded(0u, 30000u));  // where in its next writes the kill falls
            kill(child, SIGKILL);
            QCOMPARE(waitpid(child, nullptr, 0), child);
            for (acknowledged = n; read(written[0], &n, sizeof n) == sizeof n;)
                acknowledged = n;

            const QStringList check = column(path, "PRAGMA integrity_check");
            QVERIFY2(check.isEmpty() || check == QStringList{"ok"}, qPrintable(check.join(u'\n')));
            const QStringList words = column(path, "SELECT word FROM answers ORDER BY id");
            for (int i = 0; i < words.size(); ++i)
                QCOMPARE(words[i], QString::number(i));
            QVERIFY2(words.size() > acknowledged, qPrintable(QStringLiteral("round %1").arg(round)));
            recorded = int(words.size());
        }
        qInfo("%d questions recorded over %d kills", recorded, kills);
    }
};

QTEST_GUILESS_MAIN(ProgressKillTest)
#include "tst_progresskill.moc"
