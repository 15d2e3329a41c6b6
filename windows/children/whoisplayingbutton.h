#pragma once

#include "children/childlist.h"
#include "ui/sharppicture.h"

#include <QAbstractButton>
#include <QPointer>

class ChildPicker;
class CompanionStack;

// The picture of the child who plays, on the game's panel, shown only when
// there are two children or more. Between games a click opens the picker of
// children over the game; the game disables the button while a game runs.
class WhoIsPlayingButton : public QAbstractButton
{
    Q_OBJECT
public:
    WhoIsPlayingButton(QWidget &game, CompanionStack &stack);
    ~WhoIsPlayingButton() override;

    // Shows `child`'s picture and name, or hides the button with fewer than two children.
    void showChild(const ChildList &children, int child);
    int shownChild() const { return child; }

    void openPicker();
    // The picker while it is open, else null.
    ChildPicker *picker() const;

signals:
    // The child chosen in the picker, already remembered as the current one.
    void chosen(int child);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    CompanionStack &stack;
    QPointer<ChildPicker> pickerWindow;
    SharpPicture picture;
    int child = ChildList::noChild;
};
