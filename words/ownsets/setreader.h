#pragma once

#include "ownsets/picturecache.h"
#include "ownsets/setfiles.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// A word set of one's own: a folder <id>/ under setsFolder() holding
// words.txt (10 to 20 lines), an optional set.ini ([set] name=) and, for
// line n, a picture NN.png/.jpg/.bmp and a recording NN.wav (or .flac, .ogg,
// .oga, .opus, .mp3, .aif, .aiff; endings in any case).
// Everything in it is untrusted: every problem is named, none is fatal.
namespace ownsets {

constexpr int minWords = 10;
constexpr int maxWords = 20;
// Longer lines are refused before their width is measured.
constexpr int maxLineCharacters = 100;

// Whether a word fits the game's word label; the game measures with its font.
using FitsLabel = std::function<bool(const QString &word)>;
// Measures with the word label's font. Needs a QGuiApplication.
bool fitsWordLabel(const QString &word);

struct WordList
{
    QStringList words;
    QString problem; // empty when the list is usable
    // Not read as text at all (too large, neither UTF-8 nor GBK): the file
    // must be left as it is.
    bool refused = false;
};
// Reads words.txt's bytes: UTF-8 or GBK, one word or short phrase a line.
WordList parseWordList(const QByteArray &bytes, const FitsLabel &fits);
// The name= of set.ini's [set]; empty where there is none.
QString parseSetName(const QByteArray &bytes);

struct Word
{
    QString text;
    QImage picture;       // the original, at most 270 x 270
    QByteArray recording; // converted, as the game plays it
    QString problem;      // why the word cannot be played; empty if it can
    // The files read and what they were then, to tell a later change.
    QString pictureFile;
    QString recordingFile;
    Stamp pictureStamp;
    Stamp recordingStamp;
};

struct Folder
{
    QString path;
    QString id;
    QString name;     // set.ini's name, else the id
    QString problem;  // what keeps the whole set from playing
    QList<Word> words;
    // Pictures and recordings read, not only checked as a listing does.
    bool whole = false;

    int usableWords() const;
    bool playable() const { return problem.isEmpty() && usableWords() >= minWords; }
    // The set's problem, or what is missing for it to play; empty if playable.
    QString whatIsWrong() const;
};
// Reads set folder `path`; links are not followed. A picture or recording
// whose file is the one `before` read is taken from it, not decoded again;
// other pictures come through the picture cache.
Folder readFolder(const QString &path, const FitsLabel &fits, const Folder *before = nullptr);
// The same as a listing needs it, quickly: the words, and of each picture
// and recording only that it is there and what the picture's header (or the
// picture cache) tells; no picture or recording is in the answer.
Folder listFolder(const QString &path, const FitsLabel &fits);

} // namespace ownsets
