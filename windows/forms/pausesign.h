#pragma once

#include <QWidget>

// The large "暂停" sign over the whole game window while a game is paused:
// the room stays faintly visible under a veil. It takes the presses that
// reach it, so nothing under it is clicked.
class PauseSign : public QWidget
{
    Q_OBJECT
public:
    explicit PauseSign(QWidget &game);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
};
