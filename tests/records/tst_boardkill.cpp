// Saves the board over and over in a child process and kills it with SIGKILL
// at random moments. After every kill the file must be one of the boards the
// child meant to write, whole: never a cut-off or empty file.
#include "leaderboard/boardfile.h"
#include "leaderboard/sharedboard.h"
#include "records/boardtestutil.h"

#include <QDir>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QStringList names{QStringLiteral("小明"), QStringLiteral("Tom"),
                        QStringLiteral("很长很长很长很长很长很长很长很长很长很长的名字")};
constexpr int scores = 7;

Board startBoard()
{
    Board board;
    for (size_t i = 0; i < 10; ++i) {
        board.boardNames[i] = QStringLiteral("行%1").arg(i);
        board.boardScores[i] = qint16(100 - i);
    }
    return board;
}

// Everything a save in the child can leave behind.
QSet<QByteArray> possibleFiles(const Board &board)
{
    QSet<QByteArray> files;
    for (const QString &name : names)
        for (qint16 rank = 0; rank < 10; ++rank)
            for (int s = 0; s < scores; ++s)
                files.insert(boardFileContent(board, rank, name, 1000 + s));
    return files;
}

// Each finished save is told on `saved`.
[[noreturn]] void saveForever(const QString &path, const Board &board, unsigned first, int saved)
{
    for (unsigned i = first;; ++i)
        if (saveWithNewEntry(path, board, qint16(i % 10), names[int(i % 3)], 1000 + int(i % scores))
            && write(saved, "s", 1) != 1)
            _exit(1);
}

} // namespace

class BoardKillTest : public QObject
{
    Q_OBJECT

private slots:
    void killedSaveLeavesWholeBoard()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = composeBoardPath(dir.path() + u'/', 1);
        const Board board = startBoard();
        QVERIFY(saveWithNewEntry(path, board, 0, names[0], 1000));
        const QString backup = path + QStringLiteral(".backup"); // the player's, named like a temporary
        QVERIFY(writeAll(backup, "mine"));
        const QSet<QByteArray> valid = possibleFiles(board);

        int saved[2];
        QVERIFY(pipe(saved) == 0 && fcntl(saved[0], F_SETFL, O_NONBLOCK) == 0); // poll waits
        QRandomGenerator random(20240607);
        constexpr int kills = 200;
        int changed = 0;
        QByteArray last = readAll(path);
        for (int round = 0; round < kills; ++round) {
            const unsigned first = random.generate();
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0)
                saveForever(path, board, first, saved[1]);
            // However slow the machine, a save finishes in every round.
            pollfd done{saved[0], POLLIN, 0};
            QVERIFY2(poll(&done, 1, 300000) == 1, "the child saved nothing in five minutes");
            usleep(random.bounded(0u, 10000u));  // where in its next saves the kill falls
            kill(child, SIGKILL);
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            QVERIFY(WIFSIGNALED(status));
            char drained[4096];
            while (read(saved[0], drained, sizeof drained) > 0)
                continue;

            const QByteArray now = readAll(path);
            if (!valid.contains(now))
                QFAIL(qPrintable(QStringLiteral("round %1 left a broken board: %2")
                                     .arg(round)
                                     .arg(QString::fromLatin1(now.toHex(' ')))));
            QCOMPARE(now.count("\r\n"), 10);
            changed += now != last;
            last = now;
        }
        // A round's saves start from a random entry: the board seen changes nearly every round.
        QVERIFY2(changed > kills / 2, qPrintable(QString::number(changed)));
        // A kill between creating and renaming the temporary file leaves it behind.
        const QDir::Filters all = QDir::Files | QDir::Hidden | QDir::System;
        qInfo("%d saves seen, %lld stray temporary files",
              changed, qlonglong(QDir(dir.path()).entryList(all).size() - 1));
        QCOMPARE(readAll(backup), QByteArray("mine"));
    }

    void twoGamesSavingAtOnceKeepBoth()
    {
        QTemporaryDir dir;
        const QString path = composeBoardPath(dir.path() + u'/', 1);
        if (fork() == 0) { // a game killed while it held the lock
            QLockFile lock(path + QStringLiteral(".lock"));
            lock.tryLock();
            raise(SIGKILL);
        }
        wait(nullptr);
        QVERIFY(QFile::exists(path + QStringLiteral(".lock")));
        int go[2];
        QVERIFY(pipe(go) == 0);
        for (int round = 0; round < 20; ++round) {
            QVERIFY(writeAll(path, boardFileContent(startBoard(), 9, names[2], 1)));
            for (int g = 0; g < 2; ++g)
                if (fork() == 0) { // opens its board, waits for the other game, saves
                    Board board;
                    sharedboard::Seen seen;
                    sharedboard::open(path, board, seen);
                    qint16 rank = rankOf(board, 200 + g);
                    char c = 0;
                    _exit(read(go[0], &c, 1) == 1 ? int(sharedboard::save(path, board, seen, rank, QChar(u'A' + g), 200 + g)) : 9);
                }
            QCOMPARE(write(go[1], "gg", 2), ssize_t(2));
            while (wait(nullptr) > 0) {
            }
            QVERIFY(readAll(path).startsWith("B,201\r\nA,200\r\n"));
        }
    }
};

QTEST_APPLESS_MAIN(BoardKillTest)
#include "tst_boardkill.moc"
