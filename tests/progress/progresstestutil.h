#pragma once

#include "progress/progressdatabase.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

// The first column of every row `sql` gives on the record at `path`, what
// went wrong, or nothing when there is no record yet. Combine columns in the
// query with ||.
inline QStringList column(const QString &path, const QString &sql)
{
    ProgressConnection connection;
    const ProgressConnection::State state = connection.open(path, ProgressConnection::Mode::Read);
    if (state == ProgressConnection::State::Missing)
        return {};
    if (state != ProgressConnection::State::Ready)
        return {QStringLiteral("cannot read: ") + connection.detail};
    QSqlQuery query(connection.db());
    if (!query.exec(sql))
        return {query.lastError().text()};
    QStringList values;
    while (query.next())
        values << query.value(0).toString();
    return values;
}
