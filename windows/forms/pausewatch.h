#pragma once

#include <QObject>

class CompanionStack;
class GameRules;

// Pauses a running game when another program takes the focus, when the game's
// window is minimised, or with the Pause key or P; a key or a press on the
// game's window (its own or the full-screen one) then goes on, and does
// nothing else. The help and the leaderboard are the game's own windows: they
// keep the program active and do not pause it.
class PauseWatch : public QObject
{
    Q_OBJECT
public:
    PauseWatch(GameRules &rules, CompanionStack &companions, QObject *parent = nullptr);
    ~PauseWatch() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool inGameWindow(QObject *object) const;

    GameRules &rules;
    CompanionStack &companions;
};
