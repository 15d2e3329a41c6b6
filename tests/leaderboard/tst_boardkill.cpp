// Saves the board over and over in a child process and kills it with SIGKILL
// at random moments. After every kill the file must be one of the boards the
// child meant to write, whole: never a cut-off or empty file.
#include "leaderboard/boardfile.h"
#include "tests/leaderboard/boardtestutil.h"

#include <QDir>
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
        // The next save clears them away.
        QVERIFY(saveWithNewEntry(path, board, 0, names[0], 1000));
        QCOMPARE(QDir(dir.path()).entryList(all), QStringList{QStringLiteral("kivora1.tmp")});
    }
};

QTEST_APPLESS_MAIN(BoardKillTest)
#include "tst_boardkill.moc"
