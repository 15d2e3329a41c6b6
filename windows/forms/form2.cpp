#include "forms/form2.h"

#include "forms/form1.h"
#include "corner/cornerbutton.h"
#include "corner/cornerwindow.h"
#include "children/childpicker.h"
#include "children/childrenpage.h"
#include "children/whoisplayingbutton.h"
#include "ui/afterfirstpaint.h"
#include "catalogue/songfont.h"
#include "forms/form3.h"
#include "forms/pausesign.h"
#include "forms/pausewatch.h"
#include "ownsets/setsondisk.h"
#include "wordsets/rememberedset.h"
#include "rules/rememberedpace.h"
#include "catalogue/catalogue.h"

#include <QCoreApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>

namespace {

const QColor navy(0, 0, 128);

QLabel *makeLabel(QWidget *parent, QRect place, QColor text, double points)
{
    auto *label = new QLabel(parent);
    label->setGeometry(place);
    label->setAttribute(Qt::WA_NoMousePropagation);
    label->setTextFormat(Qt::PlainText);
    label->setFont(songFont(points));
    label->setAutoFillBackground(true);
    QPalette colours = label->palette();
    colours.setColor(QPalette::Window, navy);
    colours.setColor(QPalette::WindowText, text);
    label->setPalette(colours);
    return label;
}

PictureBox *makePicture(QWidget *parent, QRect place)
{
    auto *box = new PictureBox(parent);
    box->setGeometry(place);
    return box;
}

// The sizes a window frame and task bar use; the larger ones are for the
// desktop entry and would only slow the start.
QIcon gameIcon()
{
    QIcon icon;
    for (int size : {32, 48, 64})
        icon.addFile(QStringLiteral(":/icon/wordnest-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

Form2::Form2(SoundPlayer &soundPlayer, AnswerRecorder &answerRecorder, QWidget *parent)
    : QWidget(parent)
    , game(std::make_unique<GameRules>(view, soundPlayer, answerRecorder))
{
    createControls(answerRecorder);
    pauseWatch = std::make_unique<PauseWatch>(*game, *companions);
    Form_Load();
}

Form2::~Form2()
{
    pauseWatch.reset();
    companions.reset(); // gives the game back before it goes
    delete helpWindow;
}

// The window as it is designed, before Form_Load puts the pictures in.
void Form2::createControls(AnswerRecorder &answerRecorder)
{
    setWindowTitle(QStringLiteral("Wordnest"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    afterFirstPaint(*this, [this] { setWindowIcon(gameIcon()); }); // three PNGs to read
    setAutoFillBackground(false);

    LabelP.setCopier([](const PictureBox &model) { return model.clone(); });
    LabelP.setWiring([this](PictureBox *box, int index) {
        connect(box, &PictureBox::clicked, this, [this, index] { Labelp_Click(qint16(index)); });
    });
    LabelP.append(makePicture(this, {0, 2, 89, 89}));
    LabelP(0)->hide();

    for (int i = 0; i < 5; ++i)
        Pics.append(makePicture(this, {480 + 20 * i, 0, 17, 17}));

    Picz = makePicture(this, {480, 34, 73, 81});
    Picz->setAutoFillBackground(true);
    QPalette white = Picz->palette();
    white.setColor(QPalette::Window, Qt::white);
    Picz->setPalette(white);
    Picz->hide();

    PicHP = makePicture(this, {488, 34, 73, 81});
    PicHP->hide();
    connect(PicHP, &PictureBox::clicked, this, &Form2::PicHP_Click);

    Label3 = makeLabel(this, {488, 138, 105, 25}, Qt::white, 12);

    PicB = makePicture(this, {464, 218, 33, 41});
    PicB->setToolTip(QStringLiteral("开始"));
    connect(PicB, &PictureBox::clicked, this, &Form2::PicB_Click);

    PicBh = makePicture(this, {520, 218, 33, 41});
    PicBh->setToolTip(QStringLiteral("帮助"));
    connect(PicBh, &PictureBox::clicked, this, &Form2::PicBh_Click);

    cornerButton = new CornerButton(
        *this, *companions, [this] { return game->chosenWordSet().id(); }, [this] { return game->child(); },
        [this](WordSets::Set set) { game->chooseWordSet(std::move(set)); }, answerRecorder);
    connect(cornerButton, &CornerButton::childrenChanged, this, &Form2::followChildren);

    whoIsPlaying = new WhoIsPlayingButton(*this, *companions);
    connect(whoIsPlaying, &WhoIsPlayingButton::chosen, this, &Form2::playAs);

    Label2 = makeLabel(this, {520, 274, 41, 25}, Qt::red, 10.5);
    Label2->setText(QStringLiteral("0"));

    PicBoy.append(makePicture(this, {360, 226, 73, 57}));
    PicBoy(0)->hide();

    pauseSign = new PauseSign(*this);

    // The question clock comes down to 20 ms a tick; a coarse timer would drift.
    Timer1.setTimerType(Qt::PreciseTimer);
    Timer1.setInterval(100);
    Timer2.setInterval(500);
    Timerboy.setInterval(800);
    connect(&Timer1, &QTimer::timeout, this, &Form2::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &Form2::Timer2_Timer);
    connect(&Timerboy, &QTimer::timeout, this, &Form2::TimerBoy_Timer);
}

void Form2::Form_Load()
{
    // The room is 450 x 450 and the side panel 190 wide. The outer frame goes
    // at 1500, 1000 twips (100, 67 pixels); the client area is fixed rather
    // than the outer size, which would cut off the bottom of the room.
    setFixedSize(640, 450);
    move(100, 67);
    sPath = QCoreApplication::applicationDirPath() + QLatin1Char('/');

    for (int i = 0; i < 5; ++i)
        Pics(i)->setPicture(catalogue::Ball);
    PicB->setPicture(catalogue::StartButton);
    PicBh->setPicture(catalogue::HelpButton);
    PicHP->setPicture(catalogue::Book);
    game->Form_Load(); // the state, the room and the face's place in it
}

// The pace is read as a game starts: the corner may have changed it since.
void Form2::PicB_Click()
{
    game->choosePace(rememberedPace(game->child()));
    game->PicB_Click();
}

// A child's own chosen set plays their next game (the pace is read at the start).
void Form2::playAs(int child)
{
    game->chooseChild(child);
    game->chooseWordSet(findWordSet(rememberedWordSet(child), child));
    whoIsPlaying->showChild(ChildList(), child);
    if (CornerWindow *corner = cornerButton->cornerWindow())
        corner->setChild(child, game->chosenWordSet().id());
}

void Form2::childrenChanged()
{
    if (CornerWindow *corner = cornerButton->cornerWindow())
        corner->childrenPage->refresh();
    followChildren();
}

// The child who plays may be gone, or the first of all; the button shows who plays.
void Form2::followChildren()
{
    const ChildList children;
    if (!children.byId(game->child()) && children.current() != game->child())
        return playAs(children.current());
    whoIsPlaying->showChild(children, game->child());
}

void Form2::PicHP_Click() { game->PicHP_Click(); }
void Form2::Labelp_Click(qint16 Index) { game->Labelp_Click(Index); }
void Form2::Timer1_Timer() { game->Timer1_Timer(); }
void Form2::Timer2_Timer() { game->Timer2_Timer(); }
void Form2::TimerBoy_Timer() { game->TimerBoy_Timer(); }
void Form2::Form_MouseDown(int Button, int Shift, float X, float Y) { game->Form_MouseDown(Button, Shift, X, Y); }

void Form2::setBackground(int id)
{
    const QPixmap picture = catalogue::loadPicture(id);
    if (picture.isNull())
        return;
    backgroundPicture.set(id, picture);
    update();
}

void Form2::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), navy);
    backgroundPicture.draw(painter, {0, 0});
}

// Only presses on the window's own background arrive here: every control
// keeps its presses to itself.
void Form2::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    const int shift = int(event->modifiers() & Qt::ShiftModifier ? 1 : 0)
                      | int(event->modifiers() & Qt::ControlModifier ? 2 : 0)
                      | int(event->modifiers() & Qt::AltModifier ? 4 : 0);
    Form_MouseDown(int(event->button()), shift, float(at.x()), float(at.y()));
}

// Closing the main window ends the program, also while the help or the
// leaderboard window is open and after any switch to full screen and back.
// Nothing is saved here, and a game in progress stops rather than going on
// unseen until its chances run out.
void Form2::closeEvent(QCloseEvent *event)
{
    // The corner's editor may ask to stay open, with the game.
    if (CornerWindow *corner = cornerButton->cornerWindow(); corner && !corner->close())
        return event->ignore();
    Timer1.stop();
    Timer2.stop();
    Timerboy.stop();
    if (helpWindow)
        helpWindow->close();
    if (ChildPicker *picker = whoIsPlaying->picker())
        picker->close();
    if (form3)
        form3->close();
    QWidget::closeEvent(event);
    // Explicit: whether Qt would quit by itself depends on every other window.
    QCoreApplication::quit();
}
