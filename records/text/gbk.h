#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// GBK, the code page of Chinese Windows: the game's board files are in it,
// and lists typed in an older Notepad come in it.

// What cannot be read comes out as U+FFFD; a fresh decoder each call, so a
// broken line cannot spill into the next.
QString fromGbk(QByteArrayView bytes);
// Characters GBK lacks come out as "?".
QByteArray toGbk(const QString &text);
// Whether text makes the round trip through GBK unchanged.
bool fitsGbk(const QString &text);

// A file a user wrote: UTF-8 (a byte-order mark dropped), else GBK; nothing
// when the bytes are neither.
std::optional<QString> fromUtf8OrGbk(QByteArrayView bytes);
