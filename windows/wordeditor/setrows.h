#pragma once

#include "ownsets/setreader.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// The rows of a set being edited, without any widget: each row is a word
// with its picture and recording, which move, go and are saved together.
// Line n of words.txt owns the files NN.*; a row keeps the line it was saved
// at (its slot) until save() writes the rows' order, so a row that cannot be
// saved keeps what was saved before and its new media stay in memory.
class SetRows
{
public:
    struct Row
    {
        QString text;        // as typed
        int slot = -1;       // its line in words.txt, from 0; -1 when none
        QString savedText;   // what that line holds
        QImage picture;      // shown: unsaved, or read from its file
        bool pictureSaved = false;   // its slot has a picture file
        bool pictureUnsaved = false; // `picture` waits to be saved
        QByteArray recording;        // converted, waiting to be saved
        bool recordingSaved = false;
        QString problem; // why it cannot be saved; empty if it can
        QString filesProblem; // what is wrong with its files (two pictures)

        bool blank() const { return text.trimmed().isEmpty(); }
        bool hasMedia() const { return !picture.isNull() || pictureSaved || recordingSaved || !recording.isEmpty(); }
    };

    SetRows(QString folder, ownsets::FitsLabel fits);

    const QList<Row> &rows() const { return list; }
    // Why no word can be saved at all (words.txt is kept as it is: more lines
    // than the editor shows, or text it cannot read).
    const QString &listProblem() const { return kept; }
    int wordCount() const;

    void setText(int row, const QString &text);
    // Scaled to the kept size; stored at once when the row is saved, else kept.
    // Empty when stored, else why not.
    QString setPicture(int row, const QImage &picture);
    QString setRecording(int row, const QByteArray &wave);
    // The row's recording as the game plays it (converted), unsaved or stored.
    QByteArray recording(int row) const;
    // The order changes only in memory: save() carries it to disk.
    bool moveRow(int from, int to);
    bool removeRow(int row);
    // A blank row before `row`; only while the last row is unused.
    bool insertRow(int row);

    // Names each row's problem; answers the first, with its row.
    QString check();
    // Writes every row that can be saved, in the rows' order; the others keep
    // what was saved before. Empty when every row is saved, else the first problem.
    QString save();
    bool hasUnsaved() const;
    // Goes up with every change written to disk.
    int writes() const { return written; }

private:
    QString wordProblem(int row) const;
    QString flushMedia(Row &row);
    // The NN media files on disk by line (from 0).
    QMap<int, QStringList> mediaFiles() const;

    QString folder;
    ownsets::FitsLabel fits;
    QList<Row> list;
    QStringList diskWords;
    QString kept;
    int written = 0;
};
