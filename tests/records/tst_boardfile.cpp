#include "leaderboard/boardfile.h"
#include "leaderboard/boardlocation.h"
#include "records/boardtestutil.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>

namespace {

const QByteArray defaultFile = QByteArray("0,0\r\n").repeated(10);

Board boardOf(std::initializer_list<qint16> scores)
{
    Board board;
    size_t i = 0;
    for (qint16 score : scores) {
        board.boardNames[i] = QStringLiteral("n%1").arg(i);
        board.boardScores[i] = score;
        ++i;
    }
    return board;
}

} // namespace

class BoardFileTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    QString path;
    QTemporaryDir config; // settings of this run only

    QString dirPath() const { return folder->path(); }

    Board loaded(const QByteArray &bytes)
    {
        Board board;
        writeAll(path, bytes);
        if (!loadBoard(path, board))
            qFatal("board file not readable");
        return board;
    }

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path())); }

    void init()
    {
        QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest")).remove(QString());
        folder = std::make_unique<QTemporaryDir>(); // a fresh program folder per case
        QVERIFY(folder->isValid());
        path = composeBoardPath(dirPath() + u'/', 1);
    }

    void pathIsProgramFolderKivoraGrd()
    {
        QCOMPARE(composeBoardPath(QStringLiteral("/opt/wordnest/"), 1),
                 QStringLiteral("/opt/wordnest/kivora1.tmp"));
        QCOMPARE(composeBoardPath(QStringLiteral("/x/"), 12), QStringLiteral("/x/kivora12.tmp"));
        QCOMPARE(composeBoardPath(QStringLiteral("/x/"), trickyBoard), QStringLiteral("/x/kivora-tricky.tmp"));
    }

    // --- no file ---

    void missingFileIsNotLoadedAndLeavesBoardAlone()
    {
        Board board = boardOf({5, 4});
        QVERIFY(!boardFileExists(path));
        QVERIFY(!loadBoard(path, board));
        QCOMPARE(board.boardScores[0], qint16(5));
        QCOMPARE(board.boardNames[1], QStringLiteral("n1"));
    }

    void defaultBoardIsTenZeroRows()
    {
        Board board = boardOf({9, 8, 7, 6, 5, 4, 3, 2, 1, 1, 1});
        QVERIFY(createDefaultBoard(path, board));
        QCOMPARE(readAll(path), defaultFile);
        for (size_t i = 0; i < 10; ++i) {
            QCOMPARE(board.boardNames[i], QStringLiteral("0"));
            QCOMPARE(board.boardScores[i], qint16(0));
        }
    }

    void defaultBoardInMissingFolderStillFillsMemory()
    {
        const QString nowhere = dirPath() + QStringLiteral("/missing/kivora1.tmp");
        Board board = boardOf({9, 8});
        QVERIFY(!createDefaultBoard(nowhere, board));
        QVERIFY(!QFile::exists(nowhere));
        QCOMPARE(board.boardNames[0], QStringLiteral("0"));
        QCOMPARE(board.boardScores[0], qint16(0));
    }

    void directoryInPlaceOfFile()
    {
        QVERIFY(QDir().mkpath(path));
        Board board;
        QVERIFY(!loadBoard(path, board));
        QVERIFY(boardFileExists(path)); // there, though it cannot be read
        QVERIFY(!createDefaultBoard(path, board));
        QVERIFY(!saveWithNewEntry(path, board, 0, QStringLiteral("Tom"), 5));
        QVERIFY(QFileInfo(path).isDir());
    }

    void fifoInPlaceOfFileIsNotWaitedOn()
    {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        Board board;
        QVERIFY(!loadBoard(path, board)); // would block without a writer
        QVERIFY(boardFileExists(path));
        QVERIFY(createDefaultBoard(path, board));
        QCOMPARE(readAll(path), defaultFile);
    }

    void danglingLinkCountsAsThere()
    {
        QVERIFY(QFile::link(dirPath() + QStringLiteral("/gone"), path));
        Board board;
        QVERIFY(!loadBoard(path, board));
        QVERIFY(boardFileExists(path));
    }

    // --- where the board lives ---

    void boardFolder_data()
    {
        QTest::addColumn<bool>("programWritable");
        QTest::addColumn<QByteArray>("beside"); // "" none, "/" a folder
        QTest::addColumn<QByteArray>("inData"); // "" none
        QTest::addColumn<bool>("inDataFolder");
        QTest::addColumn<QByteArray>("dataBoardAfter"); // "" none

        const QByteArray a = QByteArray("a,9\r\n").repeated(10);
        const QByteArray b = QByteArray("b,7\r\n").repeated(10);
        QTest::newRow("writable program folder keeps it beside") << true << a << b << false << b;
        QTest::newRow("writable, no board yet") << true << QByteArray() << QByteArray() << false
                                                << QByteArray();
        QTest::newRow("read-only, no board anywhere") << false << QByteArray() << QByteArray() << true
                                                      << QByteArray();
        QTest::newRow("read-only, board beside is copied") << false << a << QByteArray() << true << a;
        QTest::newRow("read-only, own board wins over the one beside") << false << a << b << true << b;
        QTest::newRow("read-only, a folder beside is not copied") << false << QByteArray("/")
                                                                  << QByteArray() << true << QByteArray();
    }

    void boardFolder()
    {
        QFETCH(bool, programWritable);
        QFETCH(QByteArray, beside);
        QFETCH(QByteArray, inData);
        QFETCH(bool, inDataFolder);
        QFETCH(QByteArray, dataBoardAfter);

        const QString program = dirPath() + QStringLiteral("/bin/");
        const QString data = dirPath() + QStringLiteral("/home/.local/share/wordnest/");
        QVERIFY(QDir().mkpath(program));
        if (beside == "/")
            QVERIFY(QDir().mkpath(program + QStringLiteral("kivora1.tmp")));
        else if (!beside.isEmpty())
            QVERIFY(writeAll(program + QStringLiteral("kivora1.tmp"), beside));
        if (!inData.isEmpty()) {
            QVERIFY(QDir().mkpath(data));
            QVERIFY(writeAll(data + QStringLiteral("kivora1.tmp"), inData));
        }

        QStringList asked;
        const BoardLocation location(program, data, [&](const QString &folder) {
            asked << folder;
            return programWritable;
        });
        QCOMPARE(location.boardFolder(1), inDataFolder ? data : program);
        QCOMPARE(asked, QStringList{program});
        QCOMPARE(QFileInfo(data).isDir(), inDataFolder || !inData.isEmpty()); // made when chosen
        QCOMPARE(readAll(data + QStringLiteral("kivora1.tmp")), dataBoardAfter);
        if (beside != "/")
            QCOMPARE(readAll(program + QStringLiteral("kivora1.tmp")), beside); // never touched

        // Once only: a board saved in the data folder stays the one in use.
        if (inDataFolder) {
            QVERIFY(writeAll(data + QStringLiteral("kivora1.tmp"), "mine,1\r\n"));
            QCOMPARE(location.boardFolder(1), data);
            QCOMPARE(readAll(data + QStringLiteral("kivora1.tmp")), QByteArray("mine,1\r\n"));
            QVERIFY(QFile::remove(data + QStringLiteral("kivora1.tmp"))); // not brought back
            QCOMPARE(location.boardFolder(1), data);
            QVERIFY(!QFile::exists(data + QStringLiteral("kivora1.tmp")));
        }
    }

    void dataFolderFollowsXdgDataHome()
    {
        const QByteArray saved = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(dirPath() + QStringLiteral("/xdg")));
        QCOMPARE(BoardLocation::defaultDataFolder(), dirPath() + QStringLiteral("/xdg/wordnest/"));
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(BoardLocation::defaultDataFolder(),
                 QDir::homePath() + QStringLiteral("/.local/share/wordnest/"));
        if (!saved.isNull())
            qputenv("XDG_DATA_HOME", saved);
    }

    void writableFolderCheck()
    {
        QVERIFY(BoardLocation::isWritableFolder(dirPath() + u'/'));
        QVERIFY(!BoardLocation::isWritableFolder(dirPath() + QStringLiteral("/missing/")));
        QVERIFY(writeAll(path, "x"));
        QVERIFY(!BoardLocation::isWritableFolder(path));
        // Root may write to the installed program's folder; the board still goes elsewhere.
        const QString installed = dirPath() + QStringLiteral("/usr/bin");
        QVERIFY(QDir().mkpath(installed) && QFile::link(installed, dirPath() + QStringLiteral("/bin")));
        QVERIFY(!BoardLocation::isWritableFolderOtherThan(installed + u'/', installed));
        QVERIFY(!BoardLocation::isWritableFolderOtherThan(dirPath() + QStringLiteral("/bin"), installed));
    }

    // --- ranking ---

    void rank_data()
    {
        QTest::addColumn<Board>("board");
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("rank");
        const Board zeros = boardOf({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        const Board ladder = boardOf({500, 300, 300, 100, 90, 80, 70, 60, 50, 40});
        QTest::newRow("all zero, new zero: no place") << zeros << 0 << -1;
        QTest::newRow("all zero, new negative") << zeros << -1 << -1;
        QTest::newRow("all zero, new one: top") << zeros << 1 << 0;
        QTest::newRow("tie goes below the equals") << ladder << 300 << 3;
        QTest::newRow("above all") << ladder << 501 << 0;
        QTest::newRow("above row 9 only") << ladder << 41 << 9;
        QTest::newRow("equal to row 9") << ladder << 40 << -1;
        QTest::newRow("beyond 16 bits") << ladder << 70000 << 0;
        QTest::newRow("unsorted: first lower row wins")
            << boardOf({100, 500, 50, 0, 0, 0, 0, 0, 0, 0}) << 200 << 0;
        QTest::newRow("unsorted: lower row further down")
            << boardOf({300, 500, 50, 400, 400, 400, 400, 400, 400, 400}) << 200 << 2;
        QTest::newRow("negative rows") << boardOf({-5, -5, -5, -5, -5, -5, -5, -5, -5, -7}) << -6 << 9;
        Board eleventh = boardOf({9, 9, 9, 9, 9, 9, 9, 9, 9, 9, -100});
        QTest::newRow("row 10 is never ranked") << eleventh << 0 << -1;
    }

    void rank()
    {
        QFETCH(Board, board);
        QFETCH(int, score);
        QFETCH(int, rank);
        QCOMPARE(int(rankOf(board, score)), rank);
    }

    // --- reading ---

    void readsRowsWithAnyLineEnd()
    {
        const Board board = loaded("Ann,30\r\nBob,20\nCy,10\rDee,5");
        QCOMPARE(board.boardNames[0], QStringLiteral("Ann"));
        QCOMPARE(board.boardNames[1], QStringLiteral("Bob"));
        QCOMPARE(board.boardNames[2], QStringLiteral("Cy"));
        QCOMPARE(board.boardNames[3], QStringLiteral("Dee"));
        QCOMPARE(board.boardScores[3], qint16(5));
        QCOMPARE(board.boardNames[4], QString());
    }

    void lineEndPairsAreOneLine()
    {
        // CR LF is one line end; LF CR is two, with an empty line between.
        Board board = loaded("a,1\n\rb,2\r\n");
        QCOMPARE(board.boardNames[0], QStringLiteral("a"));
        QCOMPARE(board.boardNames[1], QString());
        QCOMPARE(board.boardScores[1], qint16(0));
        QCOMPARE(board.boardNames[2], QStringLiteral("b"));
        QCOMPARE(board.boardNames[3], QString());
    }

    void shortFileLeavesLaterRowsEmpty()
    {
        const Board board = loaded("a,3\r\nb,2\r\nc,1\r\n");
        for (size_t i = 3; i < 10; ++i) {
            QCOMPARE(board.boardNames[i], QString());
            QCOMPARE(board.boardScores[i], qint16(0));
        }
        QVERIFY(saveWithNewEntry(path, board, qint16(rankOf(board, 2)), QStringLiteral("d"), 2));
        QCOMPARE(readAll(path),
                 QByteArray("a,3\r\nb,2\r\nd,2\r\nc,1\r\n") + QByteArray(",0\r\n").repeated(6));
    }

    void oddLines_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("score");
        QTest::newRow("blank line") << QByteArray("") << QString() << 0;
        QTest::newRow("no comma: all score") << QByteArray("250") << QString() << 250;
        QTest::newRow("out of range") << QByteArray("x,70000") << QStringLiteral("x") << 0;
        QTest::newRow("lowest") << QByteArray("x,-32768") << QStringLiteral("x") << -32768;
        QTest::newRow("below lowest") << QByteArray("x,-32769") << QStringLiteral("x") << 0;
        QTest::newRow("blanks round the score") << QByteArray("x,  12 ") << QStringLiteral("x") << 12;
        QTest::newRow("half to even down") << QByteArray("x,2.5") << QStringLiteral("x") << 2;
        QTest::newRow("half to even up") << QByteArray("x,3.5") << QStringLiteral("x") << 4;
        QTest::newRow("not a number") << QByteArray("x,abc") << QStringLiteral("x") << 0;
        QTest::newRow("second comma is in the score") << QByteArray("x,1,2") << QStringLiteral("x") << 0;
        QTest::newRow("empty name") << QByteArray(",7") << QString() << 7;
        QTest::newRow("blanks kept in name") << QByteArray(" a b ,7") << QStringLiteral(" a b ") << 7;
        QTest::newRow("GBK name") << QByteArray("\xD0\xA1\xC3\xF7,9") << QStringLiteral("小明") << 9;
        QTest::newRow("broken GBK cannot swallow the comma")
            << QByteArray("\xD0,5") << QStringLiteral("\uFFFD") << 5;
    }

    void oddLines()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, name);
        QFETCH(int, score);
        const Board board = loaded(line + "\r\nnext,1\r\n");
        QCOMPARE(board.boardNames[0], name);
        QCOMPARE(int(board.boardScores[0]), score);
        QCOMPARE(board.boardNames[1], QStringLiteral("next"));
    }

    void unreadableFieldKeepsWhatItHeld()
    {
        // The board lives for the whole run and is refilled at each showing.
        Board board = boardOf({40, 30});
        writeAll(path, "250\r\nx,abc\r\n");
        QVERIFY(loadBoard(path, board));
        QCOMPARE(board.boardNames[0], QStringLiteral("n0"));
        QCOMPARE(board.boardScores[0], qint16(250));
        QCOMPARE(board.boardNames[1], QStringLiteral("x"));
        QCOMPARE(board.boardScores[1], qint16(30));
    }

    void eleventhLineIsReadTwelfthIgnored()
    {
        QByteArray bytes;
        for (int i = 0; i < 12; ++i)
            bytes += QByteArray("r") + QByteArray::number(i) + ',' + QByteArray::number(100 - i) + "\r\n";
        const Board board = loaded(bytes);
        QCOMPARE(board.boardNames[9], QStringLiteral("r9"));
        QCOMPARE(board.boardNames[10], QStringLiteral("r10"));
        QCOMPARE(board.boardScores[10], qint16(90));
    }

    // --- bounded reading ---

    void gigabyteWithoutLineBreak()
    {
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(qint64(1) << 30)); // sparse: costs no disk
            QVERIFY(file.seek(file.size()));
            file.write("\r\nfar,5\r\n");
        }
        Board board = boardOf({1});
        QVERIFY(loadBoard(path, board));
        // Only the head of the file is looked at: the row at its end is not read.
        QCOMPARE(board.boardNames[0], QStringLiteral("n0"));
        QCOMPARE(board.boardScores[0], qint16(1));
        QCOMPARE(board.boardNames[1], QString());
        QFile::remove(path);
    }

    void binaryJunk()
    {
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk += char((i * 131 + 7) & 0xFF);
        const Board board = loaded(junk);
        for (size_t i = 0; i < 11; ++i)
            QVERIFY(!board.boardNames[i].contains(u'\r') && !board.boardNames[i].contains(u'\n'));
        const QByteArray saved = boardFileContent(board, 0, QStringLiteral("a"), 1);
        QCOMPARE(saved.count("\r\n"), 10);
        QCOMPARE(saved.count('\r') + saved.count('\n'), 20);
    }

    // --- saving ---

    void save_data()
    {
        QTest::addColumn<int>("rank");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("top: all shift down, row 9 drops")
            << 0 << QByteArray("new,77\r\nn0,9\r\nn1,8\r\nn2,7\r\nn3,6\r\nn4,5\r\nn5,4\r\nn6,3\r\nn7,2\r\nn8,1\r\n");
        QTest::newRow("row 9 replaced")
            << 9 << QByteArray("n0,9\r\nn1,8\r\nn2,7\r\nn3,6\r\nn4,5\r\nn5,4\r\nn6,3\r\nn7,2\r\nn8,1\r\nnew,77\r\n");
        QTest::newRow("middle")
            << 4 << QByteArray("n0,9\r\nn1,8\r\nn2,7\r\nn3,6\r\nnew,77\r\nn4,5\r\nn5,4\r\nn6,3\r\nn7,2\r\nn8,1\r\n");
    }

    void save()
    {
        QFETCH(int, rank);
        QFETCH(QByteArray, expected);
        const Board board = boardOf({9, 8, 7, 6, 5, 4, 3, 2, 1, 0, -1});
        const Board before = board;
        QVERIFY(saveWithNewEntry(path, board, qint16(rank), QStringLiteral("new"), 77));
        QCOMPARE(readAll(path), expected);
        QCOMPARE(board.boardNames, before.boardNames);
        QCOMPARE(board.boardScores, before.boardScores);
    }

    void saveNeedsARow()
    {
        writeAll(path, defaultFile);
        const Board board;
        QVERIFY(!saveWithNewEntry(path, board, -1, QStringLiteral("a"), 1));
        QVERIFY(!saveWithNewEntry(path, board, 10, QStringLiteral("a"), 1));
        QCOMPARE(readAll(path), defaultFile);
    }

    void nameIsStoredInGbk()
    {
        const Board board = loaded(defaultFile);
        QVERIFY(saveWithNewEntry(path, board, 0, QStringLiteral("小明"), 12));
        QVERIFY(readAll(path).startsWith("\xD0\xA1\xC3\xF7,12\r\n0,0\r\n"));
        QCOMPARE(loaded(readAll(path)).boardNames[0], QStringLiteral("小明"));
    }

    void commaInNameBecomesFullWidth()
    {
        const Board board = loaded(defaultFile);
        QVERIFY(saveWithNewEntry(path, board, 0, QStringLiteral("a,b,"), 3));
        QVERIFY(readAll(path).startsWith("a\xA3\xAC" "b\xA3\xAC,3\r\n"));
        const Board back = loaded(readAll(path));
        QCOMPARE(back.boardNames[0], QStringLiteral("a，b，"));
        QCOMPARE(back.boardScores[0], qint16(3));
    }

    void lineBreakInNameCannotSplitRow()
    {
        const QByteArray bytes = boardFileContent(Board(), 0, QStringLiteral("a\r\nb\nc"), 1);
        QVERIFY(bytes.startsWith("a  b c,1\r\n,0\r\n"));
        QCOMPARE(bytes.count('\n'), 10);
    }

    void negativeAndLargeScoresAreWrittenPlainly()
    {
        Board board = boardOf({-3});
        const QByteArray bytes = boardFileContent(board, 1, QStringLiteral("x"), 100000);
        QVERIFY(bytes.startsWith("n0,-3\r\nx,100000\r\n"));
    }

    void failedSaveKeepsOldFile()
    {
        const QByteArray old = QByteArray("old,5\r\n").repeated(10);
        writeAll(path, old);
        const Board board = loaded(old);
        {
            FullDisk full;
            QVERIFY(!saveWithNewEntry(path, board, 0, QStringLiteral("new"), 9));
        }
        QCOMPARE(readAll(path), old);
        QCOMPARE(QDir(dirPath()).entryList(QDir::Files), QStringList{QStringLiteral("kivora1.tmp")});
        QVERIFY(saveWithNewEntry(path, board, 0, QStringLiteral("new"), 9));
    }

    void saveLeavesOtherFilesAlone()
    {
        // Named like what a killed save leaves ("backup" has six letters), yet maybe the player's.
        const QStringList strays{QStringLiteral(".kivora1.tmp.Ab12Cd"), QStringLiteral("kivora1.tmp.backup")};
        // Not a save's leftovers: another board, other names, another length.
        const QStringList others{QStringLiteral("kivora12.tmp.Ab12Cd"), QStringLiteral("kivora1.tmp.bak"),
                                 QStringLiteral(".kivora1.tmp.Ab12Cde"), QStringLiteral("xkivora1.tmp.Ab12Cd"),
                                 QStringLiteral("kivora1.tmp")};
        for (const QString &name : strays + others)
            QVERIFY(writeAll(dirPath() + u'/' + name, "left"));
        QVERIFY(saveWithNewEntry(path, boardOf({5}), 0, QStringLiteral("new"), 9));
        QStringList expected = strays + others;
        expected.sort();
        QCOMPARE(QDir(dirPath()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);

        for (const QString &name : strays)
            QVERIFY(writeAll(dirPath() + u'/' + name, "left"));
        QFile::remove(path);
        Board board;
        QVERIFY(createDefaultBoard(path, board));
        QCOMPARE(QDir(dirPath()).entryList(QDir::Files | QDir::Hidden, QDir::Name), expected);
    }

    // --- what the name box lets through ---

    void fits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fits");
        QTest::newRow("latin") << QStringLiteral("Tom") << true;
        QTest::newRow("chinese") << QStringLiteral("小明") << true;
        QTest::newRow("full-width comma") << QStringLiteral("a，b") << true;
        QTest::newRow("comma (stored full-width)") << QStringLiteral("a,b") << true;
        QTest::newRow("empty") << QString() << true;
        QTest::newRow("emoji") << QStringLiteral("a\U0001F600") << false;
        QTest::newRow("replacement char") << QStringLiteral("\uFFFD") << false;
        QTest::newRow("LF") << QStringLiteral("a\nb") << false;
        QTest::newRow("CR") << QStringLiteral("a\rb") << false;
        QTest::newRow("tab") << QStringLiteral("a\tb") << false;
        QTest::newRow("line separator") << QStringLiteral("a\u2028b") << false;
        QTest::newRow("korean") << QStringLiteral("한") << false;
    }

    void fits()
    {
        QFETCH(QString, name);
        QFETCH(bool, fits);
        QCOMPARE(fitsBoardFile(name), fits);
    }

    void whatFitsReadsBackAsTyped()
    {
        // Every BMP character the check lets through survives a save and a load.
        QString accepted;
        for (char16_t c = 0x20; c < 0xD800; ++c) {
            const QString one(QChar{c});
            if (c != u',' && fitsBoardFile(one))
                accepted += one;
        }
        QVERIFY(accepted.size() > 20000);
        for (qsizetype at = 0; at < accepted.size(); at += 1000) {
            const QString name = accepted.mid(at, 1000);
            Board board;
            QVERIFY(saveWithNewEntry(path, board, 0, name, 1));
            QCOMPARE(loaded(readAll(path)).boardNames[0], name);
        }
    }
};

QTEST_GUILESS_MAIN(BoardFileTest)
#include "tst_boardfile.moc"
