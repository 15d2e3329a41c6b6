#include "catalogue/catalogue.h"
#include "children/childlist.h"
#include "children/namelist.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

using children::NameProblem;
using Refusal = ChildList::Refusal;

class TestChildren : public QObject
{
    Q_OBJECT
    QTemporaryDir config;

private slots:
    void initTestCase()
    {
        for (const char *folder : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"}) // the data folder holds the record
            qputenv(folder, QFile::encodeName(config.path()));
    }
    void init() { QSettings("wordnest", "wordnest").clear(); }

    void names_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<NameProblem>("problem");
        QTest::addColumn<int>("seen");
        QTest::newRow("plain") << "  Mia " << NameProblem::None << 3;
        QTest::newRow("han") << "王小明" << NameProblem::None << 3;
        QTest::newRow("sixteen letters") << "Abcdefghijklmnop" << NameProblem::None << 16;
        QTest::newRow("seventeen") << "Abcdefghijklmnopq" << NameProblem::TooLong << 17;
        // A family emoji is one character to a reader, however many code points.
        QTest::newRow("joined emoji") << QString(16, 'a').chopped(1) + "👨‍👩‍👧" << NameProblem::None << 16;
        QTest::newRow("accents combined") << QString("e\u0301").repeated(16) << NameProblem::None << 16;
        QTest::newRow("blank") << " \u3000 " << NameProblem::Empty << 0;
        QTest::newRow("tab inside") << "Mi\ta" << NameProblem::ControlCharacter << 4;
        QTest::newRow("line separator") << "Mi\u2028a" << NameProblem::ControlCharacter << 4;
    }
    void names()
    {
        QFETCH(QString, typed);
        QFETCH(NameProblem, problem);
        QFETCH(int, seen);
        const QString name = children::trimmedName(typed);
        QCOMPARE(children::nameProblem(name), problem);
        QCOMPARE(children::seenLength(name), seen);
    }

    // Case and normalisation aside, a name is one child's.
    void namesAreUnique()
    {
        ChildList list;
        int anna = 0;
        QCOMPARE(list.add("\u00c4nna", ChildList::pictureChoices()[0], &anna), Refusal::None);
        QCOMPARE(list.addedFirstEver(), anna);
        QCOMPARE(list.add("A\u0308nna", ChildList::pictureChoices()[1]), Refusal::NameTaken);
        QCOMPARE(list.add("\u00e4NNA", ChildList::pictureChoices()[1]), Refusal::NameTaken);
        QCOMPARE(list.add("Strasse", ChildList::pictureChoices()[0]), Refusal::PictureTaken);
        QCOMPARE(list.add("Strasse", catalogue::Book), Refusal::PictureTaken); // not a word picture
        int ben = 0;
        QCOMPARE(list.add("STRASSE", ChildList::pictureChoices()[1], &ben), Refusal::None);
        QCOMPARE(list.addedFirstEver(), ChildList::noChild);
        QCOMPARE(list.rename(ben, "strasse"), Refusal::None);
        QCOMPARE(list.rename(ben, " \u00c4NNA "), Refusal::NameTaken);
        QCOMPARE(list.byName(" strasse ")->id, ben);
    }

    // Ids are never given twice; a removed child's name stays for their kept answers.
    void listOverStarts()
    {
        ChildList list;
        int mia = 0, leo = 0;
        QCOMPARE(list.add("Mia", ChildList::pictureChoices()[5], &mia), Refusal::None);
        QCOMPARE(list.add("Leo", ChildList::pictureChoices()[6], &leo), Refusal::None);
        QCOMPARE(list.setCurrent(leo), Refusal::None);
        QCOMPARE(ChildList().current(), leo);
        QSettings("wordnest", "wordnest").setValue(ChildList::settingsKey(leo, "game/pace"), "slower");
        QCOMPARE(list.remove(leo, true), Refusal::None);
        QVERIFY(!QSettings("wordnest", "wordnest").contains(ChildList::settingsKey(leo, "game/pace")));
        const ChildList again;
        QCOMPARE(again.current(), mia);
        QCOMPARE(again.nameOf(leo), "Leo");
        QCOMPARE(again.former().size(), 1);
        int next = 0;
        QCOMPARE(list.add("Leo", ChildList::pictureChoices()[6], &next), Refusal::None);
        QVERIFY(next > leo);
        QCOMPARE(list.remove(mia, false), Refusal::None);
        QCOMPARE(ChildList().nameOf(mia), QString());
    }

    // A class list: new names get the free pictures; a bad name or a full class adds nobody.
    void addAll()
    {
        ChildList list;
        QCOMPARE(list.addAll({"Ada", " "}), Refusal::BadName);
        QCOMPARE(list.addedFirstEver(), ChildList::noChild); // nobody came, nobody claims the answers
        QCOMPARE(list.add("Mia", ChildList::pictureChoices()[0]), Refusal::None);
        QList<int> added;
        QCOMPARE(list.addAll({"mia", "Leo", "Zoë"}, &added), Refusal::None);
        QCOMPARE(added.size(), 2);
        QCOMPARE(ChildList().byName("LEO")->picture, ChildList::pictureChoices()[1]);
        QCOMPARE(list.addAll({"Ada", "  "}, &added), Refusal::BadName);
        QVERIFY(added.isEmpty() && !ChildList().byName("Ada"));
        QStringList many;
        for (int i = 0; i < ChildList::most - 3; ++i)
            many << QString("Kid %1").arg(i);
        QCOMPARE(list.addAll(many + QStringList{"One too many"}), Refusal::Full);
        QCOMPARE(ChildList().children().size(), 3);
        QCOMPARE(list.addAll(many), Refusal::None);
        QCOMPARE(ChildList().freePicture(), 0);
    }

    // A class list's bytes: the names read, then the lines of the problems (0: the whole file).
    void classList_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("read");
        QTest::newRow("UTF-8, mark, CR LF, blanks") << QByteArray("\xEF\xBB\xBF Mia \r\n\r\n \t\r\n王小明\r\nLeo")
                                                    << "Mia,王小明,Leo;";
        QTest::newRow("GBK") << QByteArray("\xCD\xF5\xD0\xA1\xC3\xF7\n") << "王小明;";
        QTest::newRow("twice, case and accents aside") << QByteArray("Zo\xC3\xAB\nLeo\nZOE\xCC\x88\n") << "Zoë,Leo;3";
        QTest::newRow("bad lines") << QByteArray("Mia\nAbcdefghijklmnopq\nLe\x01o\nMi\ra\nMia\n") << "Mia;2,3,4,5";
        QTest::newRow("neither UTF-8 nor GBK") << QByteArray("Mia\n\xFF\x81\x20\n") << ";0";
    }
    void classList()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, read);
        const NameList list = NameList::fromBytes(bytes);
        QStringList lines;
        for (const NameList::Problem &problem : list.problems)
            lines << QString::number(problem.line);
        QCOMPARE(list.allNames().join(',') + ';' + lines.join(','), read);
    }

    // A list that is not a plain file of a sensible size is refused before it is read.
    void classListFile()
    {
        QTemporaryDir dir;
        const QString largest = dir.filePath("largest"), large = dir.filePath("large"), link = dir.filePath("link");
        for (const QString &path : {largest, large}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("Mia\n" + QByteArray(NameList::largestFile - 4 + (path == large), ' '));
        }
        QVERIFY(QFile::link(largest, link) && ::mkfifo(QFile::encodeName(dir.filePath("pipe")), 0600) == 0);
        QCOMPARE(NameList::fromFile(largest).allNames(), QStringList{"Mia"});
        for (const QString &refused : {large, link, dir.filePath("pipe"), dir.path(), dir.filePath("none")}) {
            const NameList list = NameList::fromFile(refused);
            QVERIFY2(list.names.isEmpty() && list.problems.size() == 1 && list.problems[0].line == 0, qPrintable(refused));
        }
    }
};

QTEST_GUILESS_MAIN(TestChildren)
#include "tst_children.moc"
