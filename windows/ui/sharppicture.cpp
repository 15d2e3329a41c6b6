#include "ui/sharppicture.h"

#include "catalogue/catalogue.h"

#include <QPainter>

#include <cmath>

namespace {
bool same(qreal a, qreal b)
{
    return std::abs(a - b) < 1e-6;
}
} // namespace

void SharpPicture::set(int id, const QPixmap &picture)
{
    set({picture, [id](int factor) { return catalogue::loadLargerPicture(id, factor); }});
}

void SharpPicture::set(const PictureArt &art)
{
    larger = art.larger;
    base = art.picture;
    scaled = QPixmap();
    scaledFor = 0;
}

int SharpPicture::artFactor(qreal scale)
{
    if (scale <= 1 || same(scale, 1))
        return 1;
    return scale <= 2 || same(scale, 2) ? 2 : 3;
}

qreal SharpPicture::scaleOf(const QPainter &painter)
{
    // The device transform holds the device pixel ratio, the view's scale
    // and the painter's own.
    return painter.deviceTransform().m11();
}

QPixmap SharpPicture::forScale(qreal scale)
{
    const int factor = artFactor(scale);
    if (factor == 1 || base.isNull())
        return base;
    if (same(scaledFor, scale))
        return scaled;
    // Where the larger art is missing the 1x picture is resampled instead:
    // softer, but never blocks.
    QPixmap source = larger ? larger(factor) : QPixmap();
    if (source.isNull())
        source = base;
    const QSize device(qRound(base.width() * scale), qRound(base.height() * scale));
    if (source.size() == device) {
        scaled = source;
    } else {
        scaled = source.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    scaled.setDevicePixelRatio(scale);
    scaledFor = scale;
    return scaled;
}

void SharpPicture::draw(QPainter &painter, const QPointF &at)
{
    const QPixmap picture = forScale(scaleOf(painter));
    if (picture.isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRectF(at, QSizeF(base.size())), picture, QRectF(picture.rect()));
    painter.restore();
}
