#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

// One word of the set being edited: its text, its picture, its recording,
// and the buttons that change them. The row only shows; the editor stores.
class WordRow : public QWidget
{
    Q_OBJECT
public:
    WordRow(int index, QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);
    void showPicture(const QImage &picture);
    void showRecording(bool present);
    void showRecordingRunning(bool running, double seconds = 0);
    // What is wrong with the row (red) or what just happened (grey); empty clears.
    void showProblem(const QString &problem);
    void showNote(const QString &note);
    QString shownMessage() const;
    bool showsProblem() const { return problemShown; }

    QLineEdit *wordEdit = nullptr;
    QLabel *pictureLabel = nullptr;
    QPushButton *pictureFileButton = nullptr;
    QPushButton *builtInPictureButton = nullptr;
    QPushButton *recordButton = nullptr;
    QPushButton *listenButton = nullptr;
    QPushButton *soundFileButton = nullptr;
    QPushButton *upButton = nullptr;
    QPushButton *downButton = nullptr;
    QPushButton *insertButton = nullptr;
    QPushButton *removeButton = nullptr;
    QLabel *messageLabel = nullptr;

private:
    bool hasRecording = false;
    bool problemShown = false;
};
