#pragma once

#include <QString>
#include <QtGlobal>

class WordSource;

// What the rules ask the window to show and to switch. The window keeps the
// controls and the three clocks; the rules only say what goes where.
class GameView
{
public:
    // The question clock, the pause between rounds, the face's open mouth.
    enum class Clock { Question, Pause, Face };

    virtual ~GameView() = default;

    // Answer pictures 0..count-1 show `words`' pictures of `picWord`, in two
    // rows of five; pictures beyond the first are made for the round.
    virtual void layOutRound(const WordSource &words, const qint16 *picWord, int count) = 0;
    // Pictures 1..last of a round go again (the first one stays).
    virtual void removeRoundPictures(int last) = 0;
    // Does nothing where there is no picture `index`.
    virtual void hideAnswerPicture(int index) = 0;

    virtual void setHintPicture(const WordSource &words, int word) = 0;
    virtual void setHintShown(bool shown) = 0;
    virtual void setBookShown(bool shown) = 0;
    virtual void setWordText(const QString &text) = 0;
    virtual void setScoreText(const QString &text) = 0;

    virtual void setFacePicture(int id) = 0;
    virtual void moveFace(int x, int y) = 0;
    virtual void setFaceShown(bool shown) = 0;

    virtual void hideBall(int index) = 0;
    virtual void showAllBalls() = 0;
    // The room picture `id` behind everything.
    virtual void setRoom(int id) = 0;

    // start() on a running clock restarts its period, as QTimer does.
    virtual void startClock(Clock clock) = 0;
    virtual void stopClock(Clock clock) = 0;
    virtual void setClockInterval(Clock clock, int milliseconds) = 0;
    virtual int clockInterval(Clock clock) const = 0;
    virtual bool clockRunning(Clock clock) const = 0;
    // The pause sign over the room; the pictures stay under it.
    virtual void setPausedShown(bool shown) = 0;

    // On while a game runs: what may only change between games follows it.
    virtual void setGameRunning(bool running) = 0;
    // The game is over: the leaderboard takes the score on board `grd` (or
    // the board file of its own name), naming the set played.
    virtual void showLeaderboard(qint16 grd, const QString &boardFileName, const QString &wordSetName,
                                 qint32 score) = 0;
};
