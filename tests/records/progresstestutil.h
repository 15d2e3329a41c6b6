#pragma once

#include "progress/progressdatabase.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

// The first column (join more with ||) of each row of `sql` on the record at
// `path`; what went wrong; nothing when there is no record yet.
inline QStringList column(const QString &path, const QString &sql)
{
    ProgressConnection connection;
    const ProgressConnection::State state = connection.open(path, ProgressConnection::Mode::Read);
    if (state != ProgressConnection::State::Ready)
        return state == ProgressConnection::State::Missing ? QStringList() : QStringList{"cannot read: " + connection.detail};
    QSqlQuery query(connection.db());
    if (!query.exec(sql))
        return {query.lastError().text()};
    QStringList values;
    while (query.next())
        values << query.value(0).toString();
    return values;
}
