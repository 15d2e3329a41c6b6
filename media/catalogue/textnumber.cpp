#include "catalogue/textnumber.h"

#include <QString>

#include <cmath>

namespace {
bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }
bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }
} // namespace

std::optional<qint16> parseInt16(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const QStringView number = text.mid(begin, end - begin);

    // sign? digits [. digits] — at least one digit somewhere
    qsizetype i = 0;
    if (i < number.size() && (number[i] == u'+' || number[i] == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < number.size() && isDigit(number[i]))
        ++i, ++digits;
    if (i < number.size() && number[i] == u'.') {
        ++i;
        while (i < number.size() && isDigit(number[i]))
            ++i, ++digits;
    }
    if (digits == 0 || i != number.size())
        return std::nullopt;

    // A very long digit string parses to a huge double (or inf) and fails the
    // range test below, so no length limit is needed.
    bool ok = false;
    const double value = number.toString().toDouble(&ok);
    if (!ok && !std::isinf(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding: halves to even
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        return std::nullopt;
    return qint16(rounded);
}
