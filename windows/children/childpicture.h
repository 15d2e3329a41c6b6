#pragma once

#include "catalogue/pictureart.h"

// A child's picture (a built-in word picture by its catalogue number) at
// `side` x `side`, with larger art for scaled screens: shrunk from the 2x or
// 3x art, so a picture shown larger than its own 90 pixels stays sharp.
PictureArt childPicture(int picture, int side);
