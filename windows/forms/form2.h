#pragma once

#include "ui/controlarray.h"
#include "ui/picturebox.h"
#include "ui/sharppicture.h"
#include "forms/roomview.h"
#include "rules/gamerules.h"
#include "sound/soundplayer.h"
#include "progress/answerrecorder.h"
#include "ui/companionstack.h"
#include "wordsets/wordsets.h"

#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <memory>

class CornerButton;
class WhoIsPlayingButton;
class Form1;
class Form3;
class PauseWatch;

// The main window: the room, the answer pictures and the buttons. It owns
// the game's rules and forwards its clicks and clock ticks to them; the
// rules show what they decide through a RoomView on these controls.
class Form2 : public QWidget
{
    Q_OBJECT
public:
    // `recorder` keeps every answer; by default none is kept.
    explicit Form2(SoundPlayer &player, AnswerRecorder &recorder = noRecording, QWidget *parent = nullptr);
    ~Form2() override;

    // The game itself, with the word set its next game plays.
    GameRules &rules() const { return *game; }
    // The leaderboard window, made at its first showing and kept to the end.
    Form3 *leaderboardWindow() const { return form3.get(); }

    // --- handlers, in the order a game meets them ---
    void Form_Load();
    void PicBh_Click(); // help.cpp
    void PicB_Click();
    void PicHP_Click();
    void Labelp_Click(qint16 Index);
    void Timer1_Timer();
    void Timer2_Timer();
    void Form_MouseDown(int Button, int Shift, float X, float Y);
    void TimerBoy_Timer();

    // The next games are `child`'s (ChildList::noChild: no child's), with
    // their chosen word set.
    void playAs(int child);
    // The children were changed (in the corner, or by a later start's request):
    // the picture button follows, and a child who is gone gives way to the
    // current one (so does "no child" once there are children).
    void childrenChanged();

    // Full screen and back, the game going on as it is; the help and the
    // leaderboard stand over the game wherever it is.
    CompanionStack &companionStack() const { return *companions; }

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
    WhoIsPlayingButton *whoIsPlaying = nullptr; // the child who plays, with two or more
    QLabel *Label3 = nullptr;        // the asked word
    QLabel *Label2 = nullptr;        // the score
    QWidget *pauseSign = nullptr;    // over everything while a game is paused
    QTimer Timer1;                   // the question clock
    QTimer Timer2;                   // the pause between rounds
    QTimer Timerboy;                 // closes the character's mouth

    QString sPath; // the program's folder with a separator; the board file lives there when it may

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    friend class RoomView; // opens the leaderboard over the game

    void createControls(AnswerRecorder &answerRecorder);
    void followChildren();

    std::unique_ptr<CompanionStack> companions = std::make_unique<CompanionStack>(*this);
    RoomView view{*this};
    std::unique_ptr<GameRules> game;
    std::unique_ptr<Form3> form3;
    std::unique_ptr<PauseWatch> pauseWatch;
    QPointer<Form1> helpWindow;
    SharpPicture backgroundPicture;
};
