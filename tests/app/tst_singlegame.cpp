// Starts of the real game, as a user makes them: the command line answers without
// a display, and a later start of the same user hands over to the running game.
#include "instance/singlegame.h"

#include <QtTest>

#include <csignal>

class SingleGameTest : public QObject
{
    Q_OBJECT

    // One user's folders, new for every test function.
    const std::array<const char *, 3> variables{"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
    std::array<std::unique_ptr<QTemporaryDir>, 3> folders;
    std::vector<std::unique_ptr<QProcess>> games;
    std::map<QProcess *, QByteArray> logs;

    // `locale`: NAME=value settings, after an English locale whatever the machine's.
    QProcess *start(const QStringList &arguments, const QByteArray &startupId = {}, bool display = true,
                    const QStringList &locale = {})
    {
        auto game = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("LC_ALL")), environment.remove(QStringLiteral("LC_MESSAGES"));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
        for (const QString &variable : locale)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        for (size_t i = 0; i < folders.size(); ++i)
            environment.insert(QString::fromLatin1(variables[i]), folders[i]->path());
        environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("wordnest.instance.info=true"));
        environment.insert(QStringLiteral("DESKTOP_STARTUP_ID"), QString::fromLatin1(startupId));
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"})
            if (!display)
                environment.remove(QString::fromLatin1(name));
        game->setProcessEnvironment(environment);
        game->setProcessChannelMode(QProcess::MergedChannels);
        game->setWorkingDirectory(folders[2]->path());
        game->start(QStringLiteral(WORDNEST_GAME), arguments);
        games.push_back(std::move(game));
        return games.back().get();
    }
    // What a game has written so far.
    QByteArray log(QProcess *game) { return logs[game] += game->readAll(); }
    bool listens(QProcess *game) { return log(game).contains("the user's game, listening on"); }
    int raises(QProcess *game) { return int(log(game).count("brought to the front for another start")); }
    QString socket() const { return folders[0]->filePath(QStringLiteral("net.wordnest.Wordnest.socket")); }

private slots:
    void init()
    {
        for (auto &folder : folders)
            folder = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        for (const auto &game : games)
            game->kill(), game->waitForFinished();
        games.clear();
        logs.clear();
    }

    void commandLineAnswersWithoutADisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("says");
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Start full screen (F11";
        QTest::newRow("short help") << QStringList{"-h"} << 0 << "Usage: wordnest [options]";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "wordnest " WORDNEST_VERSION "\n";
        QTest::newRow("a command before the game") << QStringList{"--fullscreen", "--version"} << 0
                                                   << "wordnest " WORDNEST_VERSION;
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 1 << "wordnest: Unknown option 'bogus'.";
        QTest::newRow("unknown beside help") << QStringList{"--help", "-x"} << 1 << "Unknown option 'x'.";
        QTest::newRow("stray argument") << QStringList{"words.txt"} << 1 << "Unexpected argument 'words.txt'.";
        QTest::newRow("word sets") << QStringList{"--list-words"} << 0 << "\n2\t动物\tAnimals\n3\t";
        QTest::newRow("export nowhere") << QStringList{"--export-progress", "/nowhere/a.csv"} << 1
                                        << "cannot export the progress record to '/nowhere/a.csv'";
        QTest::newRow("export over a file") << QStringList{"--export-progress", "/"} << 1 << "'/' already exists";
        QTest::newRow("too few tricky words") << QStringList{"--words", "tricky"} << 1 << "the record has 0 so far.";
        QTest::newRow("unknown word set") << QStringList{"--words", "7"} << 1 << "There is no word set '7'";
        // Beside an own set "short" of nine words.
        QTest::newRow("own set that cannot play") << QStringList{"--words", "short"} << 1
                                                  << "Word set 'short' cannot be played: words.txt has 9 words,";
        // And an own set "fruit" that plays without its eleventh word.
        QTest::newRow("words left out") << QStringList{"--list-words"} << 0
                                        << "\nfruit\tfruit\tfruit\tkiwi (no picture 11.png, 11.jpg or 11.bmp)\n";
        QTest::newRow("own set listed as unplayable") << QStringList{"--list-words"} << 0
                                                      << "wordnest: word set 'short' cannot be played: words.txt has 9";
        QTest::newRow("export of an unplayable set") << QStringList{"--export-words", "short", "s.wordnest"} << 1
                                                     << "Word set 'short' cannot be exported: words.txt has 9 words";
        QTest::newRow("a game without a display") << QStringList{"--words", "2"} << 1
                                                  << "wordnest: no display to show the game on";
        QTest::newRow("import of no file") << QStringList{"--import-words", "no.wordnest"} << 1
                                           << "no.wordnest was not imported: the file cannot be read.";
        QTest::newRow("unknown child") << QStringList{"--child", "Nobody"} << 1 << "There is no child 'Nobody';";
        // Beside a class list "faulty.txt" with a name too long and a name twice, and "class.txt".
        QTest::newRow("faulty class list") << QStringList{"--add-children", "faulty.txt"} << 1
                                           << "faulty.txt:3: 'mia' is given twice (first on line 1)";
        QTest::newRow("class list, no game") << QStringList{"--add-children", "class.txt"} << 0
                                             << "2 added, 0 already there.";
        // Leading NAME=value entries set the locale, as on a shell's command line.
        QTest::newRow("help, Chinese") << QStringList{"LANG=zh_CN.UTF-8", "--help"} << 0 << "全屏开始（F11 切换";
        QTest::newRow("help, US English") << QStringList{"LANG=en_US.UTF-8", "-h"} << 0 << "Show this help and exit.";
        QTest::newRow("Qt's error, Chinese") << QStringList{"LC_MESSAGES=zh_TW.UTF-8", "--bogus"} << 1
                                             << "wordnest: 未知选项“bogus”。";
        QTest::newRow("own set, Chinese") << QStringList{"LANG=zh_CN.UTF-8", "--words", "short"} << 1
                                          << "wordnest: 词语组“short”不能玩：words.txt 有 9 个词";
        QTest::newRow("import, Chinese") << QStringList{"LANG=zh_CN.UTF-8", "--import-words", "no.wordnest"} << 1
                                         << "wordnest: 没有导入 no.wordnest：文件读不了。";
        QTest::newRow("class list, Chinese") << QStringList{"LC_ALL=zh_CN.UTF-8", "--add-children", "faulty.txt"} << 1
                                             << "faulty.txt:3: “mia”写了两次（第一次在第 1 行）";
        QTest::newRow("no display, Chinese") << QStringList{"LANG=zh_CN", "--words", "2"} << 1
                                             << "wordnest: 没有能显示游戏的屏幕";
    }
    void commandLineAnswersWithoutADisplay()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, says);
        QVERIFY(QDir().mkpath(folders[2]->filePath("wordnest/sets/short")));
        QFile nine(folders[2]->filePath("wordnest/sets/short/words.txt"));
        QVERIFY(nine.open(QIODevice::WriteOnly) && nine.write("1a\n2a\n3a\n4a\n5a\n6a\n7a\n8a\n9a\n") == 27);
        nine.close();
        const QString fruit = folders[2]->filePath("wordnest/sets/fruit/"), media = WORDNEST_RESOURCES_DIR "%1/1%2%3";
        QVERIFY(QDir().mkpath(fruit) && QFile::copy(folders[2]->filePath("wordnest/sets/short/words.txt"), fruit + "words.txt"));
        QFile eleven(fruit + "words.txt");
        QVERIFY(eleven.open(QIODevice::Append) && eleven.write("10a\nkiwi\n") == 9 && eleven.flush());
        for (const QString row : {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11"})
            QVERIFY(QFile::copy(QString(media).arg("recordings", row, ".wav"), fruit + row + ".wav")
                    && (row == "11" || QFile::copy(QString(media).arg("pictures", row, "@2x.png"), fruit + row + ".png")));
        for (const auto &[file, names] : {std::pair{"faulty.txt", "Mia\nAbcdefghijklmnopq\nmia\n"}, {"class.txt", "Mia\nLeo"}}) {
            QFile list(folders[2]->filePath(file));
            QVERIFY(list.open(QIODevice::WriteOnly) && list.write(names) > 0);
        }
        QStringList locale;
        while (!arguments.isEmpty() && !arguments.constFirst().startsWith(u'-') && arguments.constFirst().contains(u'='))
            locale << arguments.takeFirst();
        QProcess *game = start(arguments, {}, false, locale);
        QVERIFY(game->waitForFinished(60000));
        QCOMPARE(game->exitStatus(), QProcess::NormalExit);
        QVERIFY2(log(game).contains(says.toUtf8()), log(game).constData());
        QCOMPARE(game->exitCode(), exitCode);
    }

    // A later start hands its options and startup id over and ends; a
    // command runs beside the game without touching it.
    void secondStartRaisesTheFirst()
    {
        QProcess *first = start({});
        QTRY_VERIFY_WITH_TIMEOUT(listens(first), 60000);
        QProcess *second = start({"--fullscreen"}, "launcher-1_TIME4242");
        QVERIFY(second->waitForFinished(60000));
        QCOMPARE(second->exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(raises(first), 1, 60000);
        QVERIFY(log(first).contains(R"(QList("--fullscreen") startup id "launcher-1_TIME4242")"));

        QProcess *command = start({"--version"});
        QVERIFY(command->waitForFinished(60000));
        QCOMPARE(command->exitCode(), 0);
        QVERIFY(!listens(command) && raises(command) == 0);
        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(raises(first), 1);
    }

    // The line between starts reads back whole.
    void requestLine()
    {
        const StartRequest sent{{"--child", "Mia"}, "id_TIME1", "token", {"Leo", "王小明"}};
        const StartRequest back = StartRequest::fromLine(sent.toLine());
        QVERIFY(back.toLine() == sent.toLine() && back.newChildren == sent.newChildren);
    }

    // A teacher's lines beside the game: the game adds a class list's children
    // and stays where it is; --child makes its next game that child's.
    void teachersLinesReachTheRunningGame()
    {
        QProcess *game = start({});
        QTRY_VERIFY_WITH_TIMEOUT(listens(game), 60000);
        QFile list(folders[2]->filePath("list.txt"));
        QVERIFY(list.open(QIODevice::WriteOnly) && list.write("\xEF\xBB\xBFMia\r\nLeo\r\n") > 0);
        list.close();
        const auto run = [this](const QStringList &arguments, bool display = false) {
            QProcess *command = start(arguments, {}, display);
            return command->waitForFinished(60000) && command->exitCode() == 0 ? log(command) : "failed";
        };
        QVERIFY(run({"--add-children", "list.txt"}).contains("Handed to the open game.\n2 added, 0 already there."));
        QTRY_VERIFY_WITH_TIMEOUT(log(game).contains("children added: true"), 60000);
        QCOMPARE(run({"--list-children"}), "Mia\t1\nLeo\t2\n");
        QCOMPARE(run({"--add-children", "list.txt"}), "0 added, 2 already there.\n");
        QCOMPARE(raises(game), 0);
        QVERIFY(run({"--child", "leo"}, true) != "failed");
        QTRY_VERIFY_WITH_TIMEOUT(log(game).contains("the next game plays as child 2"), 60000);
        QCOMPARE(raises(game), 1);
    }

    // A double-click: whichever start listens, the other hands over to it.
    // Holding the starts' lock lets both reach the check together.
    void twoQuickStartsGiveOneGame_data()
    {
        QTest::addColumn<bool>("lockHeld");
        QTest::newRow("the second as the first looks") << false;
        QTest::newRow("together, behind the lock") << true;
    }
    void twoQuickStartsGiveOneGame()
    {
        QFETCH(bool, lockHeld);
        QLockFile lock(socket() + QStringLiteral(".lock"));
        QVERIFY(!lockHeld || lock.tryLock());
        QProcess *one = start({});
        if (!lockHeld)
            QTRY_VERIFY_WITH_TIMEOUT(log(one).contains("looking"), 60000);
        QProcess *other = start({});
        if (lockHeld) { // both found the lock taken, and neither listens before it is free
            const auto waits = [this](QProcess *game) { return log(game).contains("waiting for another start"); };
            QTRY_VERIFY_WITH_TIMEOUT(waits(one) && waits(other), 60000);
            QVERIFY(!QFileInfo::exists(socket()) && !listens(one) && !listens(other));
            lock.unlock();
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket()), 60000);
        }
        QTRY_VERIFY_WITH_TIMEOUT(one->state() == QProcess::NotRunning || other->state() == QProcess::NotRunning, 60000);
        QProcess *ended = one->state() == QProcess::NotRunning ? one : other;
        QProcess *game = ended == one ? other : one;
        QCOMPARE(ended->exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(raises(game), 1, 60000);
        QVERIFY(listens(game) && !listens(ended));
    }

    // What a killed game leaves (its socket; a lock of a process that is
    // gone) never stops the next start.
    void leftoversOfAKilledGameDoNotStopAStart()
    {
        QProcess *killed = start({});
        QTRY_VERIFY_WITH_TIMEOUT(listens(killed), 60000);
        ::kill(pid_t(killed->processId()), SIGKILL);
        QVERIFY(killed->waitForFinished());
        QVERIFY(QFileInfo::exists(socket()));
        QFile lock(socket() + QStringLiteral(".lock"));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write("2147483646\nwordnest\n" + QSysInfo::machineHostName().toUtf8() + '\n');
        lock.close();

        QProcess *next = start({});
        QTRY_VERIFY_WITH_TIMEOUT(listens(next), 60000);
        QProcess *again = start({});
        QVERIFY(again->waitForFinished(60000));
        QTRY_COMPARE_WITH_TIMEOUT(raises(next), 1, 60000);
    }
};

QTEST_MAIN(SingleGameTest)
#include "tst_singlegame.moc"
