#pragma once

#include <QLabel>
#include <QWidget>

class CompanionWindows;

// The help window: how to play, in Chinese. It is a window of its own (no
// parent), so that disabling the main window leaves it usable; it is made
// anew at every opening and reports its closing to the main window's
// companions.
class Form1 : public QWidget
{
    Q_OBJECT
public:
    explicit Form1(CompanionWindows &companions);

    void Form_Load();

    // The text of the help, exactly as shown.
    static QString helpText();

    QLabel *Label1 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void Form_Unload();

    CompanionWindows &companions;
};
