#pragma once

#include "catalogue/pictureart.h"

#include <QByteArray>
#include <QPixmap>
#include <QString>

// The game's media, compiled into the program and looked up by number.
// An unknown number gives an empty result.
namespace catalogue {

QString loadString(int id);
QPixmap loadPicture(int id);
// Picture `id` drawn `factor` (2 or 3) times as large, with that device pixel
// ratio, so that it takes the 1x picture's place; null where none exists.
QPixmap loadLargerPicture(int id, int factor);
// The raw bytes of a resource of the given type; "WAV" is the only type.
QByteArray loadData(int id, const char *type);

// Picture `id` with its 2x and 3x art.
PictureArt loadPictureArt(int id);

// Word w of built-in set n has picture and recording wordMedia(n, w): set 1
// keeps 101..120, set n >= 2 has 1000 n + 101 + w.
constexpr int wordMedia(int set, int word) { return (set == 1 ? 0 : 1000 * set) + 101 + word; }
constexpr int wordMedia(int word) { return wordMedia(1, word); }

enum Id {
    WordList = 100,      // + set
    WordMeanings = 400,  // + set: the list's words in Chinese, in its order
    RoomPicture = 200,   // + level
    FacePicture = 204,   // + level
    FacePlacement = 300, // + level
    StartButton = 301,
    HelpButton = 302,
    Ball = 303,
    Book = 304,
    WrongSound = 121,
    RightSound = 122,
    RoundSound = 123,
    NoPlaceSound = 124,
};

} // namespace catalogue
