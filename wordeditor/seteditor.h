#pragma once

#include "media/sdlcapture.h"

#include <QList>
#include <QTimer>
#include <QWidget>

class QLabel;
class SoundPlayer;
class WordRow;

// The editor of one own set: up to twenty words, each with its picture and
// its recording. Every change is stored at once, one file at a time, each
// replaced whole (ownset's store functions): closing never loses anything.
// A window of its own over the corner.
class SetEditor : public QWidget
{
    Q_OBJECT
public:
    SetEditor(const QString &setFolder, const QString &name, SoundPlayer &player, QWidget *parent = nullptr);
    ~SetEditor() override;

    const QList<WordRow *> &rows() const { return wordRows; }

    // What the buttons do once a file or a picture is chosen; tests call them.
    // Empty on success, else the message the row shows.
    QString saveWords();
    QString choosePictureFile(int row, const QString &file);
    QString choosePicture(int row, const QImage &picture);
    QString chooseSoundFile(int row, const QString &file);
    // Record's press: starts, and the next press stops and stores.
    void toggleRecording(int row);
    void listen(int row);
    // The recording's poll: shows the seconds, stops at the longest allowed.
    void takeRecording();
    int recordingRow() const { return capturing; }
    double recordedSeconds() const { return capture.seconds(); }

signals:
    // Something on disk changed: the page lists the set again.
    void changed();

private:
    void checkWords();
    void loadRow(int row);
    // Says on row `row` whether a picture or sound was stored, shows the row
    // as it is now and answers `problem`.
    QString stored(int row, const QString &problem, const QString &notUsed, const QString &saved);
    void stopRecording();
    void askPictureFile(int row);
    void askBuiltInPicture(int row);
    void askSoundFile(int row);

    QString folder;
    SoundPlayer &player;
    QList<WordRow *> wordRows;
    QStringList wordProblems; // by row, from checkWords()
    QLabel *status = nullptr;
    SdlCapture capture;
    QTimer captureTimer;
    int capturing = -1;
    QString listKept; // why words.txt is left as it is; empty when edits are saved
    QByteArray heard; // the sound playing, kept while it plays
};
