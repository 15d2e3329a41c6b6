#pragma once

#include <QLabel>
#include <QWidget>

// The help window: how to play, in Chinese. It is a window of its own (no
// parent), so that disabling the main window leaves it usable; it is made
// anew at every opening and gives the main window back when it closes.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    explicit Form1(QWidget &mainWindow);

    void Form_Load();

    // The text of the help, exactly as shown.
    static QString helpText();

    QLabel *Label1 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Unload();

    QWidget &mainWindow;
};
