#pragma once

#include "rules/gameview.h"

class Form2;
class QTimer;

// Puts what the rules ask for onto the main window's controls.
class RoomView final : public GameView
{
public:
    explicit RoomView(Form2 &window) : window(window) {}

    void layOutRound(const WordSource &words, const qint16 *picWord, int count) override;
    void removeRoundPictures(int last) override;
    void hideAnswerPicture(int index) override;
    void setHintPicture(const WordSource &words, int word) override;
    void setHintShown(bool shown) override;
    void setBookShown(bool shown) override;
    void setWordText(const QString &text) override;
    void setScoreText(const QString &text) override;
    void setFacePicture(int id) override;
    void moveFace(int x, int y) override;
    void setFaceShown(bool shown) override;
    void hideBall(int index) override;
    void showAllBalls() override;
    void setRoom(int id) override;
    void startClock(Clock clock) override;
    void stopClock(Clock clock) override;
    void setClockInterval(Clock clock, int milliseconds) override;
    int clockInterval(Clock clock) const override;
    bool clockRunning(Clock clock) const override;
    void setPausedShown(bool shown) override;
    void setGameRunning(bool running) override;
    void showLeaderboard(qint16 grd, const QString &boardFileName, const QString &wordSetName,
                         qint32 score) override;

private:
    QTimer &timer(Clock clock) const;

    Form2 &window;
};
