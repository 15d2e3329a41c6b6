#include "catalogue/catalogue.h"

#include <QFile>
#include <QImage>

namespace catalogue {

namespace {
QByteArray readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
} // namespace

QString loadString(int id)
{
    return QString::fromUtf8(readResource(QStringLiteral(":/strings/%1.txt").arg(id)));
}

QPixmap loadPicture(int id)
{
    return QPixmap(QStringLiteral(":/pictures/%1.bmp").arg(id), "BMP");
}

QPixmap loadLargerPicture(int id, int factor)
{
    if (factor != 2 && factor != 3)
        return {};
    QPixmap picture(QStringLiteral(":/pictures/%1@%2x.png").arg(id).arg(factor), "PNG");
    picture.setDevicePixelRatio(factor);
    return picture;
}

PictureArt loadPictureArt(int id)
{
    return {loadPicture(id), [id](int factor) { return loadLargerPicture(id, factor); }};
}

QByteArray loadData(int id, const char *type)
{
    if (qstrcmp(type, "WAV") != 0)
        return {};
    return readResource(QStringLiteral(":/recordings/%1.wav").arg(id));
}

} // namespace catalogue
