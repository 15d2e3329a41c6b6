#pragma once

#include <QGroupBox>

class QButtonGroup;

// "游戏速度": how hard the question clock presses, one of three, remembered
// for the next games as soon as it is picked.
class PaceChoice : public QGroupBox
{
    Q_OBJECT
public:
    // The pace of `child` (ChildList::noChild: the game's one pace).
    explicit PaceChoice(int child, QWidget *parent = nullptr);

private:
    QButtonGroup *buttons;
};
