#pragma once

#include "catalogue/pictureart.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// The key a record of one word keeps: the set's id and the word's text. It
// stays the same whatever order or index the word has in its set.
struct WordKey
{
    QString set;
    QString word;

    bool operator==(const WordKey &other) const { return set == other.set && word == other.word; }
};

// A word of a set that the set plays without, and why.
struct LeftOutWord
{
    QString word;
    QString why;
};

// A set of words the game asks: their texts, pictures and recordings, by word
// index. The catalogue's built-in sets are one kind; a folder of one's own
// pictures and recordings is another.
class WordSource
{
public:
    virtual ~WordSource() = default;

    // "1".."6" for the built-in sets; ids made only of digits are theirs.
    virtual QString id() const = 0;
    virtual QString chineseName() const = 0;
    virtual QString englishName() const = 0;
    // The board a game with this set ends on (kivora<n>.tmp).
    virtual qint16 boardNumber() const = 0;
    // A board of a name of its own (in the data folder) instead; empty for
    // the numbered boards.
    virtual QString boardFileName() const { return {}; }

    // The word texts in index order: ten at least, since a round shows ten
    // different words, and at most 62, the size of the game's tables.
    virtual QStringList words() const = 0;
    // Word `word`'s picture; a null picture where there is none.
    virtual PictureArt picture(int word) const = 0;
    // Where word `word`'s picture is still to be decoded from (an own set's
    // folder and file), for a window to have it loaded off its thread; empty
    // where picture() answers at once.
    struct PictureFile
    {
        QString folder;
        QString name;
    };
    virtual PictureFile pictureFile(int) const { return {}; }
    // Word `word`'s recording as a whole WAVE file; empty where there is none.
    virtual QByteArray recording(int word) const = 0;
    // Word `word` in Chinese, for the grown-ups; empty where the set has none.
    virtual QString meaning(int) const { return {}; }

    // Empty where `word` is out of range.
    virtual WordKey key(int word) const;
    // The words of the set's list that it cannot play, in the list's order.
    virtual QList<LeftOutWord> leftOut() const { return {}; }

    // The set as its files are now, for a game about to start, when they
    // changed since it was read; null otherwise (and for built-in sets).
    virtual std::shared_ptr<const WordSource> refreshed() const { return nullptr; }
    // Whether it has the ten words a round shows: a listed set read whole may
    // not, when its recordings fail to convert.
    virtual bool playable() const { return true; }
};
