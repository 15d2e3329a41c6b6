// Saves the board over and over in a child process and kills it with SIGKILL
// at random moments. After every kill the file must be one of the boards the
// child meant to write, whole: never a cut-off or empty file.
#include "leaderboard/boardfile.h"
#include "leaderboard/sharedboard.h"
#include "tests/leaderboard/boardtestutil.h"

#include <QDir>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
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

[[noreturn]] void saveForever(const QString &path, const Board &board, unsigned first)
{
    for (unsigned i = first;; ++i)
        saveWithNewEntry(path, board, qint16(i % 10), names[int(i % 3)], 1000 + int(i % scores));
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

        QRandomGenerator random(20240607);
        constexpr int kills = 200;
        int changed = 0;
        QByteArray last = readAll(path);
        for (int round = 0; round < kills; ++round) {
            const unsigned first = random.generate();
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0)
                saveForever(path, board, first);
            usleep(random.bounded(500u, 20000u));
            kill(child, SIGKILL);
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            QVERIFY(WIFSIGNALED(status));

            const QByteArray now = readAll(path);
            if (!valid.contains(now))
                QFAIL(qPrintable(QStringLiteral("round %1 left a broken board: %2")
                                     .arg(round)
                                     .arg(QString::fromLatin1(now.toHex(' ')))));
            QCOMPARE(now.count("\r\n"), 10);
            changed += now != last;
            last = now;
        }
        // The child got to finish saves between kills: the kills came at all stages of a save.
        QVERIFY2(changed > kills / 4, qPrintable(QString::number(changed)));
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
