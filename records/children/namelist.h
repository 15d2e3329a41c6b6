#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

// A class list as a teacher writes it: one child's name a line, in UTF-8
// (with or without a byte-order mark) or GBK, LF or CR LF line ends, blank
// lines skipped. Every line that cannot be a child's name, and every name
// the list gives twice, is a problem with its line number.
struct NameList
{
    // The biggest file read: 120 children's names fit many times over.
    static constexpr qint64 largestFile = 64 * 1024;

    struct Name
    {
        int line = 0;
        QString name; // trimmed
    };
    struct Problem
    {
        int line = 0; // 0: the file as a whole
        QString reason;
    };

    QList<Name> names;
    QList<Problem> problems;

    static NameList fromBytes(QByteArrayView bytes);
    // Only a regular file, not a link, of at most largestFile bytes is read;
    // anything else is one problem and no names.
    static NameList fromFile(const QString &path);

    QStringList allNames() const;
};
