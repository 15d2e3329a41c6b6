#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// Saving own sets, for the editor and the "my words" page: each file is
// replaced whole or not at all, and a failure changes nothing it was not
// asked to change. Each answers an empty string on success, else a message
// for the grown-up.
namespace ownsets {

// words.txt's and set.ini's bytes as written.
QByteArray wordListBytes(const QStringList &words);
QByteArray setNameBytes(const QString &name);

QString writeWordList(const QString &folder, const QStringList &words);
QString writeSetName(const QString &folder, const QString &name);
// Stores picture file `source` as word `word`'s (from 0) NN.png, at most
// 270 x 270, and removes its other pictures.
QString storePicture(const QString &folder, int word, const QString &source);
// Stores sound file `source` as word `word`'s NN.wav, converted as the game
// plays it, and removes its other recordings.
QString storeRecording(const QString &folder, int word, const QString &source);
// The same from an image in memory (a built-in picture), scaled down to
// 270 x 270 at most, and from a sound file's bytes (a recording just made)
// named `name` in messages.
QString storePictureImage(const QString &folder, int word, const QImage &image);
QString storeRecordingBytes(const QString &folder, int word, const QByteArray &sound, const QString &name);
// A recording converted already (convertRecording's wave), as is.
QString storeRecordingWave(const QString &folder, int word, const QByteArray &wave);

// An id made from `name`: its Latin letters and digits in lower case, runs of
// anything else as one '-'. Empty when that leaves no valid id (a Chinese name).
QString idFromName(const QString &name);
// `id`, or `id`-2, `id`-3, ... : the first that no set in `setsFolder` has.
QString freeId(const QString &id, const QString &setsFolder);

// A new empty set folder `id` named `name`.
QString createSet(const QString &id, const QString &name, const QString &setsFolder);
QString renameSet(const QString &id, const QString &name, const QString &setsFolder);
// Removes set `id`'s folder and its board in `boardFolder`, nothing else
// (its progress stays).
QString removeSet(const QString &id, const QString &setsFolder, const QString &boardFolder);

} // namespace ownsets
