#pragma once

#include "rules/gameview.h"
#include "rules/pace.h"
#include "rules/randomsource.h"
#include "sound/soundplayer.h"
#include "progress/answerrecorder.h"
#include "progress/questiontally.h"
#include "wordsets/wordsets.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <array>
#include <memory>

// The game itself: its state, the rounds, the judgement of a pick, the
// clocks' ticks and the speaking face. What it shows and which clock runs
// is asked of the view; the window forwards its clicks and ticks here.
class GameRules : public QObject
{
    Q_OBJECT
public:
    // `recorder` keeps every answer.
    GameRules(GameView &view, SoundPlayer &player, AnswerRecorder &recorder, QObject *parent = nullptr);
    ~GameRules() override;

    // Hands the shuffle other draws (tests use fixed ones).
    void setRandomSource(std::unique_ptr<RandomSource> source);
    SoundPlayer &soundPlayer() const { return player; }

    // The word set the next game plays; a game in progress keeps its own.
    void chooseWordSet(WordSets::Set set);
    const WordSource &chosenWordSet() const { return *nextWords; }
    // The set the current (or last) game asks its words from.
    const WordSource &wordSource() const { return *playingWords; }

    // The child the next game is recorded for (ChildList::noChild for none);
    // a game in progress keeps its own.
    void chooseChild(int child) { nextChild = child; }
    int child() const { return nextChild; }
    int playingChild() const { return gameChild; }

    // The pace the next game plays; a game in progress keeps its own.
    void choosePace(Pace pace) { nextPace = pace; }
    Pace pace() const { return playingPace; }

    // Stops the question clock and the pause between rounds where they are,
    // and the time of the question asked; only while a game runs. The speaking
    // face still closes. resume() goes on where it stopped.
    void pause();
    void resume();
    bool paused() const { return pausedNow; }
    // Hands the question timing another clock (tests use one they move).
    void setQuestionClock(QuestionTally::Clock clock) { tally.setClock(std::move(clock)); }

    // --- procedures, in the order a game meets them ---
    void Form_Load();
    void PicB_Click();
    void List1_Click();
    void NewRound();
    void ShuffleOrder(qint16 n);
    void PicHP_Click();
    void Labelp_Click(qint16 Index);
    void Timer1_Timer();
    void Timer2_Timer();
    void GameOver();
    void Form_MouseDown(int Button, int Shift, float X, float Y);
    void TimerBoy_Timer();

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

private:
    // Asks the current question: the steps shared by a round's first question
    // and every later one.
    void presentQuestion();
    void removeRoundPictures();
    void loseChance();
    // The character says the current word.
    void Speak();

    GameView &view;
    SoundPlayer &player;
    AnswerRecorder &recorder;
    QuestionTally tally; // the question being asked, for the recorder
    std::unique_ptr<RandomSource> random;
    WordSets::Set playingWords;
    WordSets::Set nextWords;
    Pace playingPace = Pace::Standard;
    Pace nextPace = Pace::Standard;
    int gameChild = 0;
    int nextChild = 0;
    bool pausedNow = false;
    bool questionClockWasOn = false;
    bool pauseClockWasOn = false;
};
