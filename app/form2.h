#pragma once

#include "ui/controlarray.h"
#include "ui/picturebox.h"
#include "ui/sharppicture.h"
#include "game/randomsource.h"
#include "media/soundplayer.h"
#include "progress/answerrecorder.h"
#include "progress/questiontally.h"
#include "ui/companionstack.h"
#include "words/wordsets.h"

#include <QByteArray>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>

class CornerButton;
class Form1;
class Form3;
class FullScreenView;

// The main window: the room, the answer pictures, the buttons and the whole
// game state. Its handlers are spread over the folders of the game's parts
// (game/, character/, app/help.cpp), all working on the state kept here.
class Form2 : public QWidget
{
    Q_OBJECT
public:
    // `recorder` keeps every answer; by default none is kept.
    explicit Form2(SoundPlayer &player, AnswerRecorder &recorder = noRecording, QWidget *parent = nullptr);
    ~Form2() override;

    // Hands the shuffle other draws (tests use fixed ones).
    void setRandomSource(std::unique_ptr<RandomSource> source);
    SoundPlayer &soundPlayer() const { return player; }
    // The leaderboard window, made at its first showing and kept to the end.
    Form3 *leaderboardWindow() const { return form3.get(); }

    // --- handlers and procedures, in the order a game meets them ---
    void Form_Load();                                        // app/form2.cpp
    void PicBh_Click();                                      // app/help.cpp
    void PicB_Click();                                       // game/flow.cpp
    void List1_Click();                                      // game/flow.cpp
    void NewRound();                                         // game/round.cpp
    void ShuffleOrder(qint16 n);                             // game/shuffle.cpp
    void PicHP_Click();                                      // game/repeatqueue.cpp
    void Labelp_Click(qint16 Index);                         // game/answer.cpp
    void Timer1_Timer();                                     // game/flow.cpp
    void Timer2_Timer();                                     // game/flow.cpp
    void GameOver();                                         // game/gameover.cpp
    void Form_MouseDown(int Button, int Shift, float X, float Y); // character/speaker.cpp
    void TimerBoy_Timer();                                   // character/speaker.cpp

    // Full screen and back, the game going on as it is; the help and the
    // leaderboard stand over the game wherever it is.
    CompanionStack &companionStack() const { return *frame; }
    bool fullScreenGame() const { return frame->isFullScreen(); }
    void setFullScreenGame(bool on) { frame->setFullScreen(on); }
    FullScreenView &fullScreenView() const { return frame->fullScreenView(); }

    // The word set the next game plays; a game in progress keeps its own.
    void chooseWordSet(WordSets::Set set);
    const WordSource &chosenWordSet() const { return *nextWords; }
    // The set the current (or last) game asks its words from.
    const WordSource &wordSource() const { return *playingWords; }

    // The room picture `id` drawn behind everything, from the top-left corner.
    void setBackground(int id);
    const QPixmap &background() const { return backgroundPicture.picture(); }

    // --- controls ---
    ControlArray<PictureBox> LabelP; // the answer pictures
    ControlArray<PictureBox> Pics;   // the five chances
    ControlArray<PictureBox> PicBoy; // the speaking face
    PictureBox *Picz = nullptr;      // the hint picture
    PictureBox *PicHP = nullptr;     // the helping book
    PictureBox *PicB = nullptr;      // start
    PictureBox *PicBh = nullptr;     // help
    CornerButton *cornerButton = nullptr; // the grown-ups' corner, between games
    QLabel *Label3 = nullptr;        // the asked word
    QLabel *Label2 = nullptr;        // the score
    QTimer Timer1;                   // the question clock
    QTimer Timer2;                   // the pause between rounds
    QTimer Timerboy;                 // closes the character's mouth

    // --- game state ---
    bool gameOn = false;
    qint16 level = 0;
    qint16 score = 0;
    qint16 levelScore = 0;
    qint16 qNum = 0;
    qint16 picCount = 0;
    qint16 lives = 0;
    qint16 tickCount = 0;
    qint16 pauseTicks = 0;
    qint16 repeatCount = 0;
    qint16 wordSet = 0;
    std::array<qint16, 62> qOrder{};
    std::array<qint16, 62> picWord{};
    std::array<QString, 62> words;
    std::array<qint16, 6> faceX{};
    std::array<qint16, 6> faceY{};
    QByteArray wordWav;
    QByteArray effectWav;
    QString sPath; // the program's folder with a separator; the board file lives there when it may

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    // Asks the current question: the steps shared by a round's first question
    // and every later one.
    void presentQuestion();
    // The character says the current word.
    void Speak();
    void removeRoundPictures();
    void loseChance();

    SoundPlayer &player;
    AnswerRecorder &recorder;
    QuestionTally tally; // the question being asked, for the recorder
    std::unique_ptr<RandomSource> random;
    std::unique_ptr<CompanionStack> frame = std::make_unique<CompanionStack>(*this);
    std::unique_ptr<Form3> form3;
    QPointer<Form1> helpWindow;
    WordSets::Set playingWords;
    WordSets::Set nextWords;
    SharpPicture backgroundPicture;
};
