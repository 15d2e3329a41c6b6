#pragma once

#include <QFile>

// Resident and peak resident memory of this process, in kB (Linux).
inline long statusField(const char *name)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(name))
            return line.mid(qstrlen(name)).trimmed().split(' ').value(0).toLong();
    return -1;
}
inline long residentKb() { return statusField("VmRSS:"); }
inline long peakResidentKb() { return statusField("VmHWM:"); }
