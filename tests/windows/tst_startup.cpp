#include "forms/form2.h"
#include "ui/qttranslations.h"
#include "corner/cornerbutton.h"
#include "children/childpicker.h"
#include "children/childtile.h"
#include "children/whoisplayingbutton.h"
#include "forms/form3.h"
#include "ui/fontwarmup.h"
#include "ui/fullscreenview.h"
#include "ui/sharppicture.h"
#include "catalogue/textnumber.h"
#include "catalogue/catalogue.h"
#include "support/recordingplayer.h"

#include <QColorSpace>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Counts the mouse presses that arrive at the object it watches.
class PressCounter : public QObject
{
public:
    int presses = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            ++presses;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

// The main window as the child first sees it, and what start-up reads.
class StartupTest : public QObject
{
    Q_OBJECT

    static bool shows(const PictureBox *box, int picture)
    {
        const QImage expected = catalogue::loadPicture(picture).toImage();
        return !expected.isNull() && box->pixmap().toImage() == expected;
    }

    // The pixels alone, whatever colour space a PNG brings along.
    static QImage pixels(const QImage &image)
    {
        QImage plain = image.convertToFormat(QImage::Format_RGB32);
        plain.setColorSpace(QColorSpace());
        return plain;
    }

    QTemporaryDir settingsFolder;

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", QFile::encodeName(settingsFolder.path())); }

    // Qt's own buttons and file dialogs speak the game's language.
    void qtTextsInChinese()
    {
        QVERIFY(installQtTranslations(*qApp));
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    }

    void windowAsDesigned()
    {
        RecordingPlayer player;
        Form2 window(player);
        QCOMPARE(window.windowTitle(), QStringLiteral("Wordnest"));
        // The whole 450-pixel room fits: the client area is fixed, not the frame.
        QCOMPARE(window.size(), QSize(640, 450));
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QCOMPARE(window.pos(), QPoint(100, 67));
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(window.windowFlags() & Qt::WindowMinimizeButtonHint));
        QCOMPARE(window.background().toImage(), catalogue::loadPicture(200).toImage());
        QVERIFY(!window.background().isNull());
        // The icon is read once the first frame is out.
        window.show();
        QTRY_VERIFY_WITH_TIMEOUT(!window.windowIcon().isNull(), 60000);
    }

    // The first frame leaves the score's digit out while the fonts are read;
    // it must come as soon as they are.
    void heldTextComesOnceTheFontsAreRead()
    {
        FontWarmUp fonts;
        RecordingPlayer player;
        Form2 window(player);
        fonts.holdTextOf(*window.Label2);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window, 60000));
        QTRY_VERIFY_WITH_TIMEOUT(fonts.ready(), 60000);
        const QImage score = window.Label2->grab().toImage();
        bool digit = false; // red on the navy panel
        for (int y = 0; y < score.height(); ++y)
            for (int x = 0; x < score.width(); ++x)
                digit = digit || score.pixelColor(x, y).red() > 150;
        QVERIFY(digit);
    }

    void controlsAsDesigned()
    {
        RecordingPlayer player;
        Form2 window(player);
        window.show();
        for (int i = 0; i < 5; ++i) {
            QVERIFY2(shows(window.Pics(i), 303), qPrintable(QString::number(i)));
            QCOMPARE(window.Pics(i)->geometry(), QRect(480 + 20 * i, 0, 16, 16));
            QVERIFY(window.Pics(i)->isVisible());
        }
        QVERIFY(shows(window.PicB, 301));
        QVERIFY(shows(window.PicBh, 302));
        QVERIFY(shows(window.PicHP, 304));
        // Picture boxes take the size of their picture.
        QCOMPARE(window.PicB->geometry(), QRect(464, 218, 50, 35));
        QCOMPARE(window.PicBh->geometry(), QRect(520, 218, 50, 35));
        QCOMPARE(window.PicHP->geometry(), QRect(488, 34, 85, 85));
        QCOMPARE(window.PicB->toolTip(), QStringLiteral("开始"));
        QCOMPARE(window.PicBh->toolTip(), QStringLiteral("帮助"));

        QVERIFY(window.LabelP(0)->isHidden());
        QCOMPARE(window.LabelP.count(), 1);
        QVERIFY(window.Picz->isHidden());
        QVERIFY(window.PicHP->isHidden());
        QVERIFY(window.PicBoy(0)->isHidden());
        QCOMPARE(window.PicBoy(0)->pos(), QPoint(354, 298));

        QCOMPARE(window.Label2->text(), QStringLiteral("0"));
        QCOMPARE(window.Label2->geometry(), QRect(520, 274, 41, 25));
        QCOMPARE(window.Label2->palette().color(QPalette::WindowText), QColor(Qt::red));
        QCOMPARE(window.Label3->geometry(), QRect(488, 138, 105, 25));
        QCOMPARE(window.Label3->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(window.Label3->palette().color(QPalette::Window), QColor(0, 0, 128));
        QVERIFY(window.Label3->font().bold());
        QCOMPARE(window.Label3->font().pointSizeF(), 12.0);
        QCOMPARE(window.Label2->font().pointSizeF(), 10.5);
    }

    // The picture of the child who plays: only with two children or more, clear
    // of every designed control, usable between games only; its picker, in the
    // window or full screen, chooses with one click and closes unchanged on Esc.
    void whoIsPlaying_data()
    {
        QTest::addColumn<int>("children");
        QTest::addColumn<bool>("fullScreen");
        QTest::newRow("no child") << 0 << false;
        QTest::newRow("one child") << 1 << false;
        QTest::newRow("two children") << 2 << false;
        QTest::newRow("three, full screen") << 3 << true;
    }
    void whoIsPlaying()
    {
        QFETCH(int, children);
        QFETCH(bool, fullScreen);
        QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest")).clear();
        QList<int> ids;
        QVERIFY(ChildList().addAll(QStringList{"Mia", "Leo", "王小明"}.mid(0, children), &ids) == ChildList::Refusal::None);
        QTemporaryDir boardFolder;
        RecordingPlayer player;
        Form2 window(player);
        window.sPath = boardFolder.path() + QLatin1Char('/');
        window.playAs(ChildList().current()); // as the program starts
        window.setVisible(!fullScreen); // else started full screen, as --fullscreen does
        window.companionStack().setFullScreen(fullScreen);
        WhoIsPlayingButton *button = window.whoIsPlaying;
        QCOMPARE(button->isVisible(), children >= 2);
        if (children < 2)
            return;
        QVERIFY(button->toolTip().contains(QStringLiteral("Mia")));
        for (QWidget *designed : window.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QVERIFY2(designed == button || !designed->geometry().intersects(button->geometry()),
                     designed->metaObject()->className());
        QVERIFY(QRect(450, 0, 190, 450).contains(button->geometry()));

        window.PicB_Click(); // not during a game
        QVERIFY(!button->isEnabled());
        window.rules().GameOver();
        window.leaderboardWindow()->close();
        QVERIFY(button->isEnabled());
        const auto click = [&window, fullScreen](QWidget *on) {
            FullScreenView &view = window.companionStack().fullScreenView();
            if (fullScreen) // through the view, as a click on the screen comes
                QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.mapFromScene(on->geometry().center()));
            else
                QTest::mouseClick(on, Qt::LeftButton);
        };
        click(button);
        QPointer<ChildPicker> picker = button->picker();
        QVERIFY(picker && picker->isVisible() && !window.isEnabled());
        QCOMPARE(picker->tiles().size(), children);
        QVERIFY(picker->tiles()[0]->isMarked());
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), picker.data(), 60000); // where Esc would leave full screen
        QTest::keyClick(picker, Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!picker, 60000);
        QCOMPARE(window.companionStack().isFullScreen(), fullScreen);
        QCOMPARE(window.rules().child(), ids[0]);

        click(button);
        picker = button->picker();
        QTest::mouseClick(picker->tiles()[1], Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!picker, 60000);
        QVERIFY(window.isEnabled());
        QCOMPARE(ChildList().current(), ids[1]);
        QCOMPARE(window.rules().child(), ids[1]);
        QVERIFY(button->toolTip().contains(QStringLiteral("Leo")));
        // Removed meanwhile (a teacher's line): the next games are the first child's.
        QVERIFY(ChildList().remove(ids[1], true) == ChildList::Refusal::None);
        window.childrenChanged();
        QCOMPARE(window.rules().child(), ids[0]);
        QCOMPARE(button->isVisible(), children > 2);
    }

    void nothingMovesBeforeTheFirstGame()
    {
        RecordingPlayer player;
        Form2 window(player);
        QVERIFY(!window.Timer1.isActive());
        QVERIFY(!window.Timer2.isActive());
        QVERIFY(!window.Timerboy.isActive());
        QCOMPARE(window.Timer1.interval(), 100);
        QCOMPARE(window.Timer2.interval(), 500);
        QCOMPARE(window.Timerboy.interval(), 800);
        QCOMPARE(window.Timer1.timerType(), Qt::PreciseTimer);
        QVERIFY(player.played.isEmpty());
    }

    void stateStartValues()
    {
        RecordingPlayer player;
        Form2 window(player);
        QCOMPARE(window.rules().gameOn, false);
        QCOMPARE(window.rules().level, qint16(0));
        QCOMPARE(window.rules().score, qint16(0));
        QCOMPARE(window.rules().levelScore, qint16(0));
        QCOMPARE(window.rules().lives, qint16(5));
        QCOMPARE(window.rules().tickCount, qint16(0));
        QCOMPARE(window.rules().picCount, qint16(0));
        QCOMPARE(window.rules().wordSet, qint16(1));
        QVERIFY(window.rules().wordWav.isEmpty());
        QVERIFY(window.rules().effectWav.isEmpty());
    }

    void placementTables()
    {
        RecordingPlayer player;
        Form2 window(player);
        const std::array<qint16, 6> x{354, 361, 378, 280, 0, 0};
        const std::array<qint16, 6> y{298, 396, 392, 366, 0, 0};
        QCOMPARE(window.rules().faceX, x);
        QCOMPARE(window.rules().faceY, y);
    }

    void boardFolderIsTheProgramFolder()
    {
        RecordingPlayer player;
        Form2 window(player);
        QCOMPARE(window.sPath, QCoreApplication::applicationDirPath() + QLatin1Char('/'));
        QVERIFY(!window.sPath.endsWith(QStringLiteral("//")));
    }

    void catalogueLookUps()
    {
        QCOMPARE(catalogue::loadString(101).split(u',').size(), 20);
        QVERIFY(!catalogue::loadData(113, "WAV").isEmpty());
        // Unknown numbers and types give nothing, and never crash.
        QVERIFY(catalogue::loadString(999).isEmpty());
        QVERIFY(catalogue::loadPicture(100).isNull());
        QVERIFY(catalogue::loadData(125, "WAV").isEmpty());
        QVERIFY(catalogue::loadData(121, "BMP").isEmpty());
        QVERIFY(catalogue::loadData(-1, "WAV").isEmpty());
    }

    void numbersAsTheBoardAndPlacementsReadThem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value"); // -99999 for "fails"
        QTest::newRow("plain") << "354" << 354;
        QTest::newRow("blanks around") << "  250 \t" << 250;
        QTest::newRow("sign") << "-17" << -17;
        QTest::newRow("plus") << "+5" << 5;
        QTest::newRow("half down to even") << "2.5" << 2;
        QTest::newRow("half up to even") << "3.5" << 4;
        QTest::newRow("negative half") << "-2.5" << -2;
        QTest::newRow("fraction") << "7.6" << 8;
        QTest::newRow("only fraction") << ".7" << 1;
        QTest::newRow("lowest") << "-32768" << -32768;
        QTest::newRow("highest") << "32767" << 32767;
        QTest::newRow("rounds out of range") << "32767.5" << -99999;
        QTest::newRow("too big") << "70000" << -99999;
        QTest::newRow("huge") << QString(400, u'9') << -99999;
        QTest::newRow("empty") << "" << -99999;
        QTest::newRow("blank") << "   " << -99999;
        QTest::newRow("word") << "abc" << -99999;
        QTest::newRow("trailing junk") << "12a" << -99999;
        QTest::newRow("inner blank") << "1 2" << -99999;
        QTest::newRow("lone sign") << "-" << -99999;
        QTest::newRow("lone point") << "." << -99999;
        QTest::newRow("not a number") << "nan" << -99999;
        QTest::newRow("infinity") << "inf" << -99999;
    }
    void numbersAsTheBoardAndPlacementsReadThem()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        const std::optional<qint16> parsed = parseInt16(text);
        if (value == -99999)
            QVERIFY(!parsed.has_value());
        else
            QCOMPARE(int(parsed.value_or(-1234)), value);
    }

    // Presses on a control belong to the control and never reach the window
    // behind it: left of x = 445 the room would say the word again. Pressed
    // with the left button (released off the control, so no click) and with
    // the right one, during a game with the face speaking.
    void pressesOnControlsNeverReachTheRoom_data()
    {
        QTest::addColumn<QString>("control");
        for (const char *name : {"word picture", "speaking face", "word label", "score label", "book", "hint",
                                 "chance marker"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void pressesOnControlsNeverReachTheRoom()
    {
        QFETCH(QString, control);
        RecordingPlayer player;
        Form2 window(player);
        window.show();
        window.PicB_Click();
        QVERIFY(window.rules().gameOn);
        const std::map<QString, QWidget *> controls = {
            {"word picture", window.LabelP(window.rules().qOrder[1])}, {"speaking face", window.PicBoy(0)},
            {"word label", window.Label3}, {"score label", window.Label2}, {"book", window.PicHP},
            {"hint", window.Picz}, {"chance marker", window.Pics(0)}};
        QWidget *pressed = controls.at(control);
        pressed->show(); // the book is only offered on the second level
        QVERIFY(pressed->isVisible());
        if (control == "word picture" || control == "speaking face")
            QVERIFY(pressed->geometry().center().x() < 445);

        PressCounter reaching;
        window.installEventFilter(&reaching);
        player.clear();
        const QPoint middle = pressed->rect().center();
        QTest::mousePress(pressed, Qt::LeftButton, {}, middle);
        QTest::mouseRelease(pressed, Qt::LeftButton, {}, pressed->rect().bottomRight() + QPoint(5, 5));
        QTest::mouseClick(pressed, Qt::RightButton, {}, middle);
        QCOMPARE(reaching.presses, 0);
        QVERIFY(player.played.isEmpty());

        // The bare room does say the word again.
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(200, 300));
        QCOMPARE(reaching.presses, 1);
        QCOMPARE(player.played.size(), 1);
        QCOMPARE(player.played[0].buffer, &window.rules().wordWav);
        // A disabled window takes none.
        window.setEnabled(false);
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(200, 300));
        QCOMPARE(player.played.size(), 1);
    }

    // The round on the controls: two rows of five, each picture its word's,
    // the hint the asked word's, the face the room's at its place; rounds
    // come and go without leaving controls behind.
    void roundOnTheControls()
    {
        RecordingPlayer player;
        Form2 window(player);
        window.show();
        window.PicB_Click();
        const GameRules &rules = window.rules();
        QCOMPARE(window.LabelP.count(), 10);
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(window.LabelP(i)->geometry(), QRect(90 * (i % 5), i < 5 ? 0 : 91, 90, 90));
            QVERIFY(window.LabelP(i)->isVisible() && shows(window.LabelP(i), 101 + rules.picWord[size_t(i)]));
        }
        QVERIFY(shows(window.Picz, 101 + rules.picWord[size_t(rules.qOrder[0])]));
        QVERIFY(shows(window.PicBoy(0), 204) && window.PicBoy(0)->isVisible());
        QCOMPARE(window.PicBoy(0)->pos(), QPoint(354, 298));
        QCOMPARE(window.Label3->text(), rules.words[size_t(rules.picWord[size_t(rules.qOrder[0])])]);

        const int controls = window.findChildren<QWidget *>().size();
        for (int round = 0; round < 20; ++round) {
            window.rules().pauseTicks = 5;
            window.Timer2_Timer();
        }
        window.rules().gameOn = false;
        window.PicB_Click();
        QCOMPARE(window.findChildren<QWidget *>().size(), controls);
        QCOMPARE(window.LabelP.count(), 10);
    }

    // The game ends on the board of its set, in the leaderboard window, which
    // holds the main window until it closes; the corner is open again.
    void lastMissOpensTheLeaderboard_data()
    {
        QTest::addColumn<int>("set");
        QTest::addColumn<QString>("line"); // naming the set under the rows
        QTest::newRow("at home") << 1 << QString();
        QTest::newRow("animals") << 2 << QStringLiteral("词语组：动物");
    }
    void lastMissOpensTheLeaderboard()
    {
        QFETCH(int, set);
        QFETCH(QString, line);
        QTemporaryDir boardFolder;
        RecordingPlayer player;
        Form2 window(player);
        window.sPath = boardFolder.path() + QLatin1Char('/');
        window.rules().chooseWordSet(WordSets().find(QString::number(set)));
        window.show();
        window.PicB_Click();
        window.rules().score = 1234;
        while (window.rules().gameOn)
            window.Labelp_Click(qint16((window.rules().qOrder[0] + 1) % 10));
        QVERIFY(window.Pics(0)->isHidden() && window.LabelP(9)->isHidden());
        QVERIFY(!window.Timer1.isActive() && !window.Timerboy.isActive());
        Form3 *board = window.leaderboardWindow();
        QVERIFY(board && board->isVisible());
        QCOMPARE(board->fcount, qint32(1234));
        QCOMPARE(board->grd, qint16(set));
        QVERIFY(!window.isEnabled());
        // Each set ends on a board of its own; the other is not touched.
        QCOMPARE(QFile::exists(boardFolder.filePath(QStringLiteral("kivora1.tmp"))), set == 1);
        QCOMPARE(QFile::exists(boardFolder.filePath(QStringLiteral("kivora2.tmp"))), set == 2);
        const auto *named = board->findChild<QLabel *>(QStringLiteral("wordSetLine"));
        QCOMPARE(named ? named->text() : QString(), line);
        QCOMPARE(board->height(), line.isEmpty() ? 339 : 363);
        board->close();
        QVERIFY(window.isEnabled());
        QVERIFY(window.cornerButton->isEnabled()); // the grown-ups' corner, between games again
    }

    // Full screen: the whole game, uniformly scaled, centred on the bands ...
    void fullScreenFitsAndCentres_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QPointF>("offset");
        QTest::newRow("1920 x 1080") << QSize(1920, 1080) << 2.4 << QPointF(192, 0);
        QTest::newRow("2100 x 1350") << QSize(2100, 1350) << 3.0 << QPointF(90, 0);
        QTest::newRow("3840 x 2160") << QSize(3840, 2160) << 4.8 << QPointF(384, 0);
        QTest::newRow("1280 x 1024, bands above and below") << QSize(1280, 1024) << 2.0 << QPointF(0, 62);
        QTest::newRow("unrounded") << QSize(1366, 768) << 768 / 450.0 << QPointF(136.8667, 0);
        QTest::newRow("the window's own size") << QSize(640, 450) << 1.0 << QPointF(0, 0);
    }
    // ... and a click lands on what is drawn there, with the room's x < 445
    // rule in the game's own coordinates, to the device pixel.
    void fullScreenFitsAndCentres()
    {
        QFETCH(QSize, screen);
        QFETCH(double, scale);
        QFETCH(QPointF, offset);
        const FullScreenView::Fit fit = FullScreenView::fit(screen, QSizeF(640, 450));
        QVERIFY(qAbs(fit.scale - scale) < 1e-9);
        QVERIFY((fit.offset - offset).manhattanLength() < 1e-3);

        RecordingPlayer player;
        Form2 window(player);
        window.companionStack().setFullScreen(true);
        FullScreenView &view = window.companionStack().fullScreenView();
        view.resize(screen);
        QVERIFY(qAbs(view.transform().m11() - scale) < 1e-9);
        QVERIFY((view.mapFromScene(0, 0) - offset).manhattanLength() <= 2);
        QVERIFY((view.mapFromScene(640, 450) - (offset + QPointF(640, 450) * scale)).manhattanLength() <= 2);
        QCOMPARE(view.backgroundBrush().color(), QColor(0, 0, 128));

        window.PicB_Click();
        const auto click = [&view](QPoint at) { QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at); };
        QSignalSpy third(window.LabelP(3), &PictureBox::clicked);
        QSignalSpy fourth(window.LabelP(4), &PictureBox::clicked);
        QSignalSpy eighth(window.LabelP(8), &PictureBox::clicked);
        click(view.mapFromScene(QRectF(window.LabelP(3)->geometry()).center()));
        click(view.mapFromScene(QRectF(window.LabelP(8)->geometry()).bottomRight() - QPointF(1, 1)));
        QCOMPARE(third.count(), 1);
        QCOMPARE(fourth.count(), 0);
        QCOMPARE(eighth.count(), 1);

        player.played.clear();
        // The first device pixel at x >= 445 in the game, and the one before it.
        const QPointF boundary = view.viewportTransform().map(QPointF(445, 420));
        const int edge = int(std::ceil(boundary.x())), y = int(boundary.y());
        click({edge, y});
        QVERIFY(player.played.isEmpty());
        click({edge - 1, y});
        QCOMPARE(player.played.size(), 1);
        QCOMPARE(player.played[0].buffer, &window.rules().wordWav);
    }

    // F11 mid-round: the question, the clocks and the count go on as they were.
    void switchingKeepsTheGame()
    {
        RecordingPlayer player;
        Form2 window(player);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window, 60000));
        window.PicB_Click();
        window.Labelp_Click(window.rules().qOrder[0]);
        for (int tick = 0; tick < 7; ++tick)
            window.Timer1_Timer();
        const auto state = [&window] {
            return std::make_tuple(window.rules().qNum, window.rules().tickCount, window.rules().score, window.rules().lives,
                                   window.rules().qOrder, window.rules().picWord, window.Label3->text(),
                                   window.Timer1.isActive(), window.Timer1.interval(),
                                   window.Timerboy.isActive(), window.Timer2.isActive());
        };
        const auto before = state();
        const qsizetype sounds = player.played.size();

        QTest::keyClick(&window, Qt::Key_F11);
        QVERIFY(window.companionStack().isFullScreen());
        QVERIFY(window.companionStack().fullScreenView().isVisible());
        QVERIFY(state() == before);
        QVERIFY(QTest::qWaitForWindowActive(&window.companionStack().fullScreenView(), 60000));
        QTest::keyClick(&window.companionStack().fullScreenView(), Qt::Key_F11);
        QVERIFY(!window.companionStack().isFullScreen());
        QVERIFY(window.isVisible() && window.isWindow());
        QCOMPARE(window.pos(), QPoint(100, 67));
        QVERIFY(state() == before);
        QCOMPARE(player.played.size(), sounds);

        window.companionStack().setFullScreen(true);
        QVERIFY(QTest::qWaitForWindowActive(&window.companionStack().fullScreenView(), 60000));
        QTest::keyClick(&window.companionStack().fullScreenView(), Qt::Key_Escape);
        QVERIFY(!window.companionStack().isFullScreen());
        QVERIFY(state() == before);
    }

    // Larger art where a picture is drawn larger; the catalogue's own 1x
    // picture at 1x.
    void picturesDrawnFromTheArtForTheirScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("art");
        QTest::newRow("1x") << 1.0 << 1;
        QTest::newRow("smaller") << 0.5 << 1;
        QTest::newRow("125 %") << 1.25 << 2;
        QTest::newRow("200 %") << 2.0 << 2;
        QTest::newRow("1920 x 1080") << 2.4 << 3;
        QTest::newRow("300 %") << 3.0 << 3;
        QTest::newRow("3840 x 2160") << 4.8 << 3;
    }
    void picturesDrawnFromTheArtForTheirScale()
    {
        QFETCH(double, scale);
        QFETCH(int, art);
        QCOMPARE(SharpPicture::artFactor(scale), art);
        for (int id : {101, 200, 204, 303}) {
            const QPixmap base = catalogue::loadPicture(id);
            SharpPicture picture;
            picture.set(id, base);
            const QPixmap drawn = picture.forScale(scale);
            if (art == 1) {
                QCOMPARE(drawn.cacheKey(), base.cacheKey());
                continue;
            }
            QCOMPARE(drawn.devicePixelRatio(), scale);
            QCOMPARE(drawn.size(), QSize(qRound(base.width() * scale), qRound(base.height() * scale)));
            const QImage larger = catalogue::loadLargerPicture(id, art).toImage();
            QVERIFY2(!larger.isNull(), qPrintable(QString::number(id)));
            if (scale == art)
                QCOMPARE(pixels(drawn.toImage()), pixels(larger));
        }
        SharpPicture withoutArt; // no larger art: the 1x picture resampled, never left out
        withoutArt.set(0, catalogue::loadPicture(101));
        QCOMPARE(withoutArt.forScale(scale).deviceIndependentSize().toSize(), QSize(90, 90));
    }

    // The whole way through a paint: a word picture and the room on a 200 %
    // desktop come from the 2x art, not from the 1x blown up.
    void paintsAtTwiceTheSizeFromTheLargerArt()
    {
        RecordingPlayer player;
        Form2 window(player);
        window.PicB_Click();
        QImage shot(1280, 900, QImage::Format_RGB32);
        shot.setDevicePixelRatio(2);
        window.render(&shot);
        const QImage room = pixels(catalogue::loadLargerPicture(200, 2).toImage());
        // Between the word pictures and the speaking face.
        QCOMPARE(pixels(shot.copy(0, 400, 900, 190)), room.copy(0, 400, 900, 190));
        const QRect box = window.LabelP(6)->geometry();
        const QImage word = pixels(catalogue::loadLargerPicture(101 + window.rules().picWord[6], 2).toImage());
        QCOMPARE(pixels(shot.copy(box.x() * 2, box.y() * 2, 180, 180)), word);
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
