#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

class FullScreenView;

// The companion windows (help, leaderboard, corner, editor) stacked over the
// game, and the window they stack over: the game's own or, after F11, the
// full-screen one, so the two switch together. F11 switches
// from the game and from every companion; Esc leaves full screen from them
// all. Esc never closes a companion: a name typed into the leaderboard stays.
//
// While any companion is open the game takes no input, all of them stay above
// the window the game is in, and the one opened last has the keyboard.
class CompanionStack : public QObject
{
    Q_OBJECT
public:
    explicit CompanionStack(QWidget &game);
    ~CompanionStack() override;

    bool isFullScreen() const;
    void setFullScreen(bool on);
    // The window the game shows in now: its own or the full-screen one.
    QWidget *gameWindow() const;
    FullScreenView &fullScreenView();

    // A companion is about to show (again): it is placed over the game, gets
    // F11 and Esc, and the game is disabled. It counts as closed once it is
    // hidden or gone; the game is enabled again when the last one closes.
    void opened(QWidget *companion);
    // Open companions, the first opened first.
    QList<QWidget *> companions() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void closed(QWidget *companion);
    void addKeys(QWidget *window);
    void placeOverGame(QWidget *companion);
    // Every open companion made a dialog of the game's window and raised in
    // the order they opened; the last takes the keyboard.
    void restack();

    QWidget &game;
    std::unique_ptr<FullScreenView> view;
    QList<QPointer<QWidget>> open;
    bool restacking = false; // companions hidden and shown here stay open
};
