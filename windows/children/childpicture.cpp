#include "children/childpicture.h"

#include "catalogue/catalogue.h"

namespace {
QPixmap fitted(const QPixmap &source, int side, int factor)
{
    if (source.isNull())
        return {};
    QPixmap scaled = source.scaled(side * factor, side * factor, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(factor);
    return scaled;
}
} // namespace

PictureArt childPicture(int picture, int side)
{
    const QPixmap base = catalogue::loadPicture(picture);
    if (base.isNull())
        return {};
    // Larger than the picture itself: drawn from the 2x art even at 1x.
    QPixmap oneX = side > base.width() ? fitted(catalogue::loadLargerPicture(picture, 2), side, 1) : QPixmap();
    if (oneX.isNull())
        oneX = fitted(base, side, 1);
    return {oneX, [picture, side](int factor) {
                return fitted(catalogue::loadLargerPicture(picture, factor), side, factor);
            }};
}
