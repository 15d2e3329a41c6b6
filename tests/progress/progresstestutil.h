#pragma once

#include "progress/progressdatabase.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

// The first column of every row `sql` gives on the record at `path`, or
// what went wrong. Combine columns in the query with ||.
inline QStringList column(const QString &path, const QString &sql)
{
    ProgressConnection connection;
    if (connection.open(path, ProgressConnection::Mode::Read) != ProgressConnection::State::Ready)
        return {QStringLiteral("cannot read: ") + connection.detail};
    QSqlQuery query(connection.db());
    if (!query.exec(sql))
        return {query.lastError().text()};
    QStringList values;
    while (query.next())
        values << query.value(0).toString();
    return values;
}
