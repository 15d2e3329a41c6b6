#include "text/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

QString fromGbk(QByteArrayView bytes)
{
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QByteArray toGbk(const QString &text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

bool fitsGbk(const QString &text)
{
    // hasError is set only once the bytes are taken, and never cleared: a
    // fresh encoder for every check. A round trip also catches a character
    // that encodes but reads back as another.
    QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder.encode(text);
    return !encoder.hasError() && fromGbk(bytes) == text;
}

std::optional<QString> fromUtf8OrGbk(QByteArrayView bytes)
{
    const QByteArrayView text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.sliced(3) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = utf8.decode(text);
    if (!utf8.hasError())
        return decoded;
    QStringDecoder gbk("GBK", QStringDecoder::Flag::Stateless);
    if (!gbk.isValid())
        return std::nullopt;
    const QString fromGbk = gbk.decode(text);
    if (gbk.hasError())
        return std::nullopt;
    return fromGbk;
}
