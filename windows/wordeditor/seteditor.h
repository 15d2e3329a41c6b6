#pragma once

#include "sound/sdlcapture.h"
#include "wordeditor/setrows.h"

#include <QList>
#include <QTimer>
#include <QWidget>

#include <functional>

class QLabel;
class SoundPlayer;
class WordRow;

// The editor of one own set: up to twenty words, each with its picture and
// its recording, shown from and passed to the rows' model (SetRows). Every
// change that can be saved is saved at once; a row that cannot says why and
// keeps its edit in memory, and closing with such edits asks first.
// A window of its own over the corner.
class SetEditor : public QWidget
{
    Q_OBJECT
public:
    SetEditor(const QString &setFolder, const QString &name, SoundPlayer &player, QWidget *parent = nullptr);
    ~SetEditor() override;

    const QList<WordRow *> &rows() const { return wordRows; }
    const SetRows &model() const { return setRows; }
    bool hasUnsavedChanges();

    // What closing with unsaved changes does; the question is asked by default.
    enum class Unsaved { Save, Discard, Stay };
    std::function<Unsaved()> askOnClose;
    // Closes without asking, dropping what is not saved.
    void closeDiscarding();
    // Whether the row with a word or a picture or recording may go, with its
    // files; the question is asked by default.
    std::function<bool(int row)> askBeforeRemoving;

    // What the buttons do once a file or a picture is chosen; tests call them.
    // Empty on success, else the message the row shows.
    QString saveWords();
    QString choosePictureFile(int row, const QString &file);
    QString choosePicture(int row, const QImage &picture);
    QString chooseSoundFile(int row, const QString &file);
    // A word moves and goes with its picture and recording; saved at once.
    QString moveRow(int from, int to);
    QString removeRow(int row);
    QString insertRow(int row);
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

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Takes the typed words into the model.
    void takeWords();
    // Saves the model's rows as they are and shows them.
    QString saveRows();
    void checkWords();
    // Shows every row as the model has it, and the set's status.
    void showRows();
    void showStatus(const QString &problem);
    // Says on row `row` whether a picture or sound was stored, shows the rows
    // and answers `problem`.
    QString stored(int row, const QString &problem, const QString &saved);
    void stopRecording();
    void askPictureFile(int row);
    void askBuiltInPicture(int row);
    void askSoundFile(int row);

    SetRows setRows;
    SoundPlayer &player;
    QList<WordRow *> wordRows;
    QLabel *status = nullptr;
    SdlCapture capture;
    QTimer captureTimer;
    int capturing = -1;
    bool discarding = false;
    QByteArray heard; // the sound playing, kept while it plays
};
