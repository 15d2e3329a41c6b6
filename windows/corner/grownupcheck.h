#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// The door to the grown-ups' corner: a sum written in Chinese characters,
// answered by typing its result (two digits). A child who taps, holds or
// mashes keys does not get through; a grown-up needs a few seconds.
class GrownUpCheck : public QWidget
{
    Q_OBJECT
public:
    explicit GrownUpCheck(QWidget *parent = nullptr);

    // Asks `a` + `b` (each 1..9).
    void ask(int a, int b);
    int answer() const { return first + second; }
    QString question() const;

    QLineEdit *answerBox = nullptr;
    QPushButton *okButton = nullptr;

signals:
    void passed();

private:
    void check();

    QLabel *questionLabel = nullptr;
    QLabel *wrongLabel = nullptr;
    int first = 0;
    int second = 0;
};
