// Moves rows of a set over and over in a child process and kills it with
// SIGKILL at random moments. After every kill the reader must see every word
// with its own picture and recording, in the order of the last move the child
// finished or of the one it was making.
#include "ownsets/rowjournal.h"
#include "ownsets/setfiles.h"
#include "ownsets/setreader.h"
#include "ownsets/setwriter.h"
#include "wordeditor/setrows.h"

#include <QDir>
#include <QImage>
#include <QtEndian>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int wordCount = 12;
const auto anyWidth = [](const QString &) { return true; };

QByteArray wave(int samples)
{
    QByteArray h("RIFF....WAVEfmt \x10\0\0\0\1\0\1\0\x22\x56\0\0\x22\x56\0\0\1\0\x08\0data....", 44);
    qToLittleEndian<quint32>(quint32(36 + samples / 6 * 6), h.data() + 4);
    qToLittleEndian<quint32>(quint32(samples / 6 * 6), h.data() + 40);
    return h + QByteArray("\x50\x50\x50\xb0\xb0\xb0").repeated(samples / 6);
}

// Moves row n below row n + 1, n drawn from `random`, and says so on `out`, forever.
[[noreturn]] void moveForever(const QString &folder, QRandomGenerator random, int out)
{
    SetRows rows(folder, anyWidth);
    for (;;) {
        const int row = int(random.bounded(wordCount - 1));
        if (!rows.moveRow(row, row + 1) || !rows.save().isEmpty() || ::write(out, "m", 1) != 1)
            _exit(3);
    }
}

// Waits for the `count`th rename into `folder` (an inotify descriptor): a
// move renames a dozen times, journal, temporaries, files, words.txt.
bool waitForRenames(int watch, int count)
{
    alignas(inotify_event) char buffer[8192];
    for (pollfd ready{watch, POLLIN, 0}; count > 0;) {
        // A move that never comes fails the test rather than hanging it.
        const ssize_t n = ::poll(&ready, 1, 60000) == 1 ? ::read(watch, buffer, sizeof buffer) : -1;
        if (n <= 0)
            return false;
        for (ssize_t at = 0; at < n; --count)
            at += ssize_t(sizeof(inotify_event) + reinterpret_cast<const inotify_event *>(buffer + at)->len);
    }
    return true;
}

} // namespace

class RowsKillTest : public QObject
{
    Q_OBJECT

private slots:
    void killedMovesKeepEachWordsMedia()
    {
        QTemporaryDir dir;
        qputenv("XDG_CACHE_HOME", QFile::encodeName(dir.filePath("cache")));
        const QString folder = dir.filePath("kill");
        QVERIFY(QDir().mkpath(folder));
        QStringList order;
        for (int i = 0; i < wordCount; ++i) {
            order << QStringLiteral("w%1").arg(i);
            QImage picture(6, 6, QImage::Format_RGB32);
            picture.fill(QColor::fromHsv(i * 30, 255, 255));
            QVERIFY(picture.save(folder + u'/' + ownsets::mediaName(i, i % 3 ? "png" : "bmp")));
            QVERIFY(ownsets::writeFile(folder, ownsets::mediaName(i, "wav"), wave(2004 + 300 * i)).isEmpty());
        }
        QVERIFY(ownsets::writeWordList(folder, order).isEmpty());
        const ownsets::Folder start = ownsets::readFolder(folder, anyWidth);
        QCOMPARE(start.usableWords(), wordCount);

        QRandomGenerator random(20261208);
        constexpr int kills = 60;
        int moves = 0, recovered = 0;
        for (int round = 0; round < kills; ++round) {
            int pipeEnds[2];
            QVERIFY(::pipe(pipeEnds) == 0);
            QRandomGenerator childRandom(random.generate());
            const pid_t child = fork();
            if (child == 0)
                moveForever(folder, childRandom, pipeEnds[1]);
            ::close(pipeEnds[1]);
            // Waits for a few finished moves, then kills the child right away or at one of the next move's renames.
            char buffer[4096];
            ssize_t done = 0;
            for (const ssize_t wanted = random.bounded(1, 4); done < wanted;) {
                const ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
                QVERIFY2(n > 0, "the child stopped before finishing a move");
                done += n;
            }
            const int watch = inotify_init1(IN_CLOEXEC);
            QVERIFY(inotify_add_watch(watch, QFile::encodeName(folder), IN_MOVED_TO) >= 0);
            QVERIFY(waitForRenames(watch, int(random.bounded(14u))));
            ::close(watch);
            ::kill(child, SIGKILL);
            QCOMPARE(waitpid(child, nullptr, 0), child);
            for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
                done += n;
            ::close(pipeEnds[0]);
            moves += int(done);

            // The order the child's moves made, and the one its next move makes.
            QStringList next = order;
            for (ssize_t move = 0; move <= done; ++move) {
                order = next;
                const int row = int(childRandom.bounded(wordCount - 1));
                next.swapItemsAt(row, row + 1);
            }
            recovered += QFile::exists(folder + "/" + ownsets::rowJournalName);
            const ownsets::Folder now = ownsets::readFolder(folder, anyWidth);
            QCOMPARE(now.usableWords(), wordCount);
            QStringList seen;
            for (const ownsets::Word &word : now.words) {
                const ownsets::Word &own = start.words[word.text.mid(1).toInt()];
                QVERIFY2(word.picture == own.picture && word.recording == own.recording,
                         qPrintable(QStringLiteral("round %1: %2 has another word's media").arg(round).arg(word.text)));
                seen << word.text;
            }
            QVERIFY2(seen == order || seen == next, qPrintable(seen.join(u',') + " after " + order.join(u',')));
            order = seen;
            QVERIFY(!QFile::exists(folder + "/" + ownsets::rowJournalName));
        }
        // Moves were finished between kills, and kills came in the middle of moves too.
        qInfo("%d moves, %d kills during a move", moves, recovered);
        QVERIFY(recovered > 0);
        const QDir left(folder); // no temporary keeps a word's file
        QCOMPARE(left.entryList(QDir::Files).size() + left.entryList({".rows-*"}, QDir::Files | QDir::Hidden).size(), 2 * wordCount + 1);
    }
};

QTEST_APPLESS_MAIN(RowsKillTest)
#include "tst_rowskill.moc"
