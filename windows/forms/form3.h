#pragma once

#include "ui/controlarray.h"
#include "leaderboard/boardfile.h"
#include "leaderboard/boardlocation.h"
#include "leaderboard/sharedboard.h"

#include <QByteArray>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <map>

class SoundPlayer;

// The leaderboard window. It is a window of its own beside the main window,
// which it disables while it is open. The board and its sound live as long as
// the program; the controls are made anew at every showing.
class Form3 : public QWidget
{
    Q_OBJECT
public:
    // Wears the main window's icon, plays through `player`, keeps its board
    // where `location` says.
    Form3(QWidget &mainWindow, SoundPlayer &player, BoardLocation location);
    ~Form3() override;

    // Shows the window without a modal loop; Form_Load runs first.
    void Show();

    // Set by the caller before Show().
    qint16 grd = 0;
    // A board of its own name in the data folder instead of grd's (own sets).
    QString boardFileName;
    qint32 fcount = 0;
    // The word set the game played: named under the rows on boards other
    // than 1, so a grown-up can tell the boards apart.
    QString wordSetName;
    // The child who played, where the grown-ups named the children: the name
    // box starts with it, selected, so Enter keeps it and typing replaces it.
    QString playerName;

    void Command1_Click();
    void Text1_KeyPress(int KeyAscii);

    // --- controls (exist while the window is open) ---
    QLabel *Labt = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;
    ControlArray<QLabel> Label1; // names
    ControlArray<QLabel> Label2; // scores

    // --- variables, kept while the window is closed ---
    // One board per board file, each from its first showing to the end of the
    // run: rows a file cannot fill keep what that same file's board held.
    std::map<QString, Board> boards;
    QString boardPath;
    qint16 newRank = 0;
    QByteArray boardWav;
    sharedboard::Seen boardSeen; // what the file held when last read, to see another game's save

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();
    void createControls();
    void destroyControls();
    // No name wanted: the heading says why, and the no-place sound is loaded.
    void showBoardOnly(const QString &heading);
    void showRows();
    Board &board() { return boards[boardPath]; }

    SoundPlayer &player;
    BoardLocation location;
    QWidget *controls = nullptr; // parent of this showing's controls
};
