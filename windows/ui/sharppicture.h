#pragma once

#include "catalogue/pictureart.h"

#include <QPixmap>

class QPainter;

// A picture drawn as sharp as the screen allows. At 1x it is the picture
// itself. Drawn larger (full screen, a desktop scaled to 200 %), it comes
// from the 2x or 3x art, resampled once to the exact device size and kept, so
// that every later paint is a plain copy.
class SharpPicture
{
public:
    // Picture `id` of the catalogue, whose 1x form is `picture`.
    void set(int id, const QPixmap &picture);
    void set(const PictureArt &art);
    const QPixmap &picture() const { return base; }

    // Draws the picture with its top-left corner at `at`, in the painter's
    // own (logical) coordinates, at the picture's logical size.
    void draw(QPainter &painter, const QPointF &at);

    // What is drawn at `scale` device pixels to a logical pixel.
    QPixmap forScale(qreal scale);

    // The art drawn from at `scale`: 1, 2 or 3 times the picture.
    static int artFactor(qreal scale);
    // Device pixels to a logical pixel for what `painter` draws now: the
    // device's pixel ratio times every scale on the way.
    static qreal scaleOf(const QPainter &painter);

private:
    std::function<QPixmap(int factor)> larger;
    QPixmap base;
    QPixmap scaled;
    qreal scaledFor = 0;
};
