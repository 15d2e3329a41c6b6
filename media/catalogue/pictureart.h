#pragma once

#include <QPixmap>

#include <functional>

// A picture as a word source or the catalogue hands it: the picture itself
// (its logical size is the size it is shown at) and, where there is some,
// larger art to draw it from when the screen is scaled up. A set of one's
// own keeps an image of any size here; the catalogue its 2x and 3x PNGs.
struct PictureArt
{
    QPixmap picture;
    // Art `factor` (2 or 3) times the picture's size; a null pixmap where
    // there is none, and then the picture itself is resampled.
    std::function<QPixmap(int factor)> larger;

    bool isNull() const { return picture.isNull(); }
};
