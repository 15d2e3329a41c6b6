#pragma once

#include "rules/gamerules.h"
#include "support/recordingplayer.h"

#include <algorithm>
#include <map>
#include <vector>

// Stands in for the window: keeps what the rules last asked it to show, with
// a picture as the word index of the set it came from, and the clocks' states.
struct FakeView final : GameView
{
    struct Board { qint16 grd; QString boardFileName, wordSetName; qint32 score; };

    void layOutRound(const WordSource &words, const qint16 *picWord, int count) override
    {
        pictures.assign(picWord, picWord + count), shown.assign(size_t(count), true);
        pictureSet = words.id(), ++layouts;
    }
    void removeRoundPictures(int) override { pictures.resize(1), shown.resize(1); }
    void hideAnswerPicture(int i) override { if (size_t(i) < shown.size()) shown[size_t(i)] = false; }
    void setHintPicture(const WordSource &, int word) override { hintWord = word; }
    void setHintShown(bool on) override { hint = on; }
    void setBookShown(bool on) override { book = on; }
    void setWordText(const QString &text) override { wordText = text; }
    void setScoreText(const QString &text) override { scoreText = text; }
    void setFacePicture(int id) override { facePicture = id; }
    void moveFace(int x, int y) override { facePlace = {x, y}; }
    void setFaceShown(bool on) override { face = on; }
    void hideBall(int index) override { balls[size_t(index)] = false; }
    void showAllBalls() override { balls.assign(5, true); }
    void setRoom(int id) override { room = id; }
    void startClock(Clock clock) override { running[clock] = true; }
    void stopClock(Clock clock) override { running[clock] = false; }
    void setClockInterval(Clock clock, int ms) override { intervals[clock] = ms; }
    int clockInterval(Clock clock) const override { return intervals.count(clock) ? intervals.at(clock) : 0; }
    bool clockRunning(Clock clock) const override { return running.count(clock) && running.at(clock); }
    void setPausedShown(bool on) override { pauseSign = on; }
    void setGameRunning(bool on) override { gameRunning = on; }
    void showLeaderboard(qint16 grd, const QString &file, const QString &name, qint32 score) override
    {
        boards.push_back({grd, file, name, score});
    }

    bool active(Clock clock) { return running[clock]; }
    int visibleBalls() const { return int(std::count(balls.begin(), balls.end(), true)); }

    std::vector<int> pictures; // the word of each answer picture
    std::vector<bool> shown, balls = std::vector<bool>(5, true);
    QString pictureSet, wordText, scoreText;
    int layouts = 0, hintWord = -1, facePicture = -1, room = -1;
    bool hint = false, book = false, face = false, gameRunning = false, pauseSign = false;
    std::pair<int, int> facePlace{-1, -1};
    std::map<Clock, bool> running;
    std::map<Clock, int> intervals;
    std::vector<Board> boards;
};

// The rules as the window holds them, loaded, with a fake view and speaker.
struct ViewedGameParts
{
    FakeView screen;
    RecordingPlayer speaker;
};
struct ViewedGame : ViewedGameParts, GameRules
{
    explicit ViewedGame(AnswerRecorder &recorder = noRecording) : GameRules(screen, speaker, recorder) { Form_Load(); }
    qint16 target() const { return qOrder[size_t(qNum)]; }
    qint16 askedWord() const { return picWord[size_t(target())]; }
};
