#pragma once

#include <QGroupBox>

class QButtonGroup;

// "游戏速度": how hard the question clock presses, one of three, remembered
// for the next games as soon as it is picked.
class PaceChoice : public QGroupBox
{
    Q_OBJECT
public:
    explicit PaceChoice(QWidget *parent = nullptr);

private:
    QButtonGroup *buttons;
};
