#pragma once

#include <QLabel>
#include <QWidget>

// The help window: how to play, in Chinese. It is a window of its own (no
// parent), so that disabling the main window leaves it usable; it is made
// anew at every opening.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    Form1();

    void Form_Load();

    // The text of the help, exactly as shown.
    static QString helpText();

    QLabel *Label1 = nullptr;
};
