// Moves rows of a set over and over in a child process and kills it with
// SIGKILL at random moments. After every kill the reader must see every word
// with its own picture and recording, in the order of the last move the child
// finished or of the one it was making.
#include "ownwords/ownset.h"
#include "ownwords/rowjournal.h"
#include "wordeditor/setrows.h"

#include <QDir>
#include <QImage>
#include <QtEndian>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cctype>
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
    qToLittleEndian<quint32>(quint32(36 + samples), h.data() + 4);
    qToLittleEndian<quint32>(quint32(samples), h.data() + 40);
    QByteArray tone(samples, '\0');
    for (int i = 0; i < samples; ++i)
        tone[i] = char(128 + ((i / 10) % 2 ? 60 : -60));
    return h + tone;
}

[[noreturn]] void moveForever(const QString &folder, unsigned seed, int out)
{
    SetRows rows(folder, anyWidth);
    QRandomGenerator random(seed);
    for (;;) {
        const int row = int(random.bounded(wordCount - 1));
        rows.moveRow(row, row + 1);
        if (!rows.save().isEmpty())
            _exit(3);
        QStringList order;
        for (int i = 0; i < wordCount; ++i)
            order << rows.rows()[i].text;
        const QByteArray line = order.join(u',').toUtf8() + '\n';
        if (::write(out, line.constData(), size_t(line.size())) != line.size())
            _exit(4);
    }
}

// Whether `now` is `before` or `before` with two neighbours swapped.
bool sameOrOneMoveOn(const QStringList &before, const QStringList &now)
{
    if (now.size() != before.size())
        return false;
    int first = 0;
    while (first < now.size() && now[first] == before[first])
        ++first;
    return first == now.size()
           || (first + 1 < now.size() && now[first] == before[first + 1] && now[first + 1] == before[first]
               && now.mid(first + 2) == before.mid(first + 2));
}

// The stages of a move the parent waits for before it kills: the journal in
// place (then again marked "renamed"), a file under its temporary name, a file
// at its new name, words.txt replaced, the journal gone.
struct Stage
{
    quint32 event;
    const char *name; // the file's name, or its start; '#' for an NN file
};
const Stage stages[] = {{IN_MOVED_TO, "rows.journal"}, {IN_MOVED_TO, ".rows-"}, {IN_DELETE, "rows.journal"},
                        {IN_MOVED_TO, "#"}, {IN_MOVED_TO, "words.txt"}};

// Waits until the `count`th event of `stage` in `folder` (an inotify descriptor).
bool waitFor(int watch, const Stage &stage, int count)
{
    alignas(inotify_event) char buffer[8192];
    while (count > 0) {
        // A stage that never comes fails the test rather than hanging it.
        pollfd ready{watch, POLLIN, 0};
        if (::poll(&ready, 1, 60000) != 1)
            return false;
        const ssize_t n = ::read(watch, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        for (ssize_t at = 0; at < n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
            const QByteArray name(event->len > 0 ? event->name : "");
            if ((event->mask & stage.event)
                && (stage.name[0] == '#' ? name.size() > 0 && std::isdigit(uchar(name[0])) : name.startsWith(stage.name)))
                --count;
            at += ssize_t(sizeof(inotify_event) + event->len);
        }
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
        const QString folder = dir.filePath("kill");
        QVERIFY(QDir().mkpath(folder));
        QStringList order;
        for (int i = 0; i < wordCount; ++i) {
            order << QStringLiteral("w%1").arg(i);
            QImage picture(6, 6, QImage::Format_RGB32);
            picture.fill(QColor::fromHsv(i * 30, 255, 255));
            const QString name = QStringLiteral("%1/%2.").arg(folder).arg(i + 1, 2, 10, QChar(u'0'));
            QVERIFY(picture.save(name + (i % 3 ? "png" : "bmp")));
            QFile recording(name + "wav");
            QVERIFY(recording.open(QIODevice::WriteOnly) && recording.write(wave(2000 + 300 * i)) > 0);
        }
        QVERIFY(ownset::writeWordList(folder, order).isEmpty());
        const ownset::Folder start = ownset::readFolder(folder, anyWidth);
        QCOMPARE(start.usableWords(), wordCount);

        QRandomGenerator random(20261208);
        constexpr int kills = 60;
        int moves = 0, recovered = 0;
        for (int round = 0; round < kills; ++round) {
            int pipeEnds[2];
            QVERIFY(::pipe(pipeEnds) == 0);
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                ::close(pipeEnds[0]);
                moveForever(folder, random.generate(), pipeEnds[1]);
            }
            ::close(pipeEnds[1]);
            // Waits for a few finished moves, then kills the child wherever the next one is.
            const int wanted = int(random.bounded(1u, 4u));
            QByteArray heard;
            char buffer[4096];
            while (heard.count('\n') < wanted) {
                const ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
                QVERIFY2(n > 0, "the child stopped before finishing a move");
                heard.append(buffer, n);
            }
            // Right away, or once the next move reached one of its stages.
            if (const int stage = int(random.bounded(quint32(std::size(stages) + 1))); stage > 0) {
                const int watch = inotify_init1(IN_CLOEXEC);
                QVERIFY(watch >= 0 && inotify_add_watch(watch, QFile::encodeName(folder), IN_MOVED_TO | IN_DELETE) >= 0);
                QVERIFY(waitFor(watch, stages[stage - 1], int(random.bounded(1u, 4u))));
                ::close(watch);
            }
            ::kill(child, SIGKILL);
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            QVERIFY(WIFSIGNALED(status));
            for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
                heard.append(buffer, n);
            ::close(pipeEnds[0]);

            const QList<QByteArray> lines = heard.left(heard.lastIndexOf('\n')).split('\n');
            moves += int(lines.size());
            const QStringList reported = QString::fromUtf8(lines.constLast()).split(u',');
            recovered += QFile::exists(folder + "/" + rowjournal::fileName);
            const ownset::Folder now = ownset::readFolder(folder, anyWidth);
            QVERIFY2(now.problem.isEmpty(), qPrintable(now.problem));
            QCOMPARE(now.usableWords(), wordCount);
            QStringList seen;
            for (const ownset::Word &word : now.words) {
                const ownset::Word &own = start.words[order.indexOf(word.text)];
                QVERIFY2(word.picture == own.picture && word.recording == own.recording,
                         qPrintable(QStringLiteral("round %1: %2 has another word's media").arg(round).arg(word.text)));
                seen << word.text;
            }
            QVERIFY2(sameOrOneMoveOn(reported, seen), qPrintable(seen.join(u',') + " after " + reported.join(u',')));
            QVERIFY(!QFile::exists(folder + "/" + rowjournal::fileName));
        }
        // Moves were finished between kills, and kills came in the middle of moves too.
        qInfo("%d moves, %d kills during a move", moves, recovered);
        QVERIFY(moves >= kills);
        QVERIFY(recovered > 0);
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2 * wordCount + 1);
        QCOMPARE(QDir(folder).entryList({".rows-*"}, QDir::Files | QDir::Hidden), QStringList());
    }
};

QTEST_APPLESS_MAIN(RowsKillTest)
#include "tst_rowskill.moc"
