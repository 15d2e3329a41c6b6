#pragma once

#include "ownwords/setfiles.h"
#include "words/wordsource.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// A word set of one's own: a folder <id>/ under ownSetsFolder() holding
// words.txt (10 to 20 lines), an optional set.ini ([set] name=) and, for
// line n, a picture NN.png/.jpg/.bmp and a recording NN.wav/.flac/.ogg.
// Everything in it is untrusted: every problem is named, none is fatal.
namespace ownset {

constexpr int minWords = 10;
constexpr int maxWords = 20;
// Longer lines are refused before their width is measured.
constexpr int maxLineCharacters = 100;

// Letters, digits and '-', at least one letter; "tricky" is reserved.
bool isValidId(const QString &id);
// $XDG_DATA_HOME/wordnest/sets/, with a separator at the end.
QString setsFolder();

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
    setfiles::Stamp pictureStamp;
    setfiles::Stamp recordingStamp;
};

struct Folder
{
    QString path;
    QString id;
    QString name;     // set.ini's name, else the id
    QString problem;  // what keeps the whole set from playing
    QList<Word> words;

    int usableWords() const;
    bool playable() const { return problem.isEmpty() && usableWords() >= minWords; }
    // The set's problem, or what is missing for it to play; empty if playable.
    QString whatIsWrong() const;
};
// Reads set folder `path`; links are not followed. A picture or recording
// whose file is the one `before` read is taken from it, not decoded again.
Folder readFolder(const QString &path, const FitsLabel &fits, const Folder *before = nullptr);
// How many pictures readFolder decoded in this run: tests tell a reuse by it.
int picturesDecoded();

// Saving, for the editor: each file is replaced whole or not at all.
// An empty string on success, else what went wrong.
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
// A recording converted already (ownmedia::convertRecording's wave), as is.
QString storeRecordingWave(const QString &folder, int word, const QByteArray &wave);

} // namespace ownset

// An own set as the game plays it: only its usable words, in their order.
class OwnWordSet final : public WordSource
{
public:
    explicit OwnWordSet(const ownset::Folder &folder);

    QString id() const override { return setId; }
    QString chineseName() const override { return name; }
    // The id stands under the name, as the built-in sets' English names do.
    QString englishName() const override { return setId; }
    // Own sets' boards are named, not numbered.
    qint16 boardNumber() const override { return 0; }
    QString boardFileName() const override { return QStringLiteral("kivora-%1.tmp").arg(setId); }
    QStringList words() const override;
    PictureArt picture(int word) const override;
    QByteArray recording(int word) const override;
    // The folder read again; only the files that changed are decoded. Null
    // when nothing changed, or when the set no longer plays (the game keeps
    // what it has rather than losing its set).
    std::shared_ptr<const WordSource> refreshed() const override;

private:
    ownset::Folder folder;
    QString setId;
    QString name;
    QList<ownset::Word> usable;
};
