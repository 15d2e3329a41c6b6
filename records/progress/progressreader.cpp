#include "progress/progressreader.h"

#include <QSaveFile>
#include <QSqlQuery>
#include <QVariant>

namespace {

// Text fields come from word lists anyone can write. A spreadsheet runs a
// cell that starts with = + - @ (or a tab or CR) as a formula: a leading '
// keeps it text there, as the common spreadsheets read it.
QByteArray csvField(const QString &text)
{
    QByteArray field = text.toUtf8();
    if (!field.isEmpty() && QByteArrayView("=+-@\t\r").contains(field.front()))
        field.prepend('\'');
    if (field.contains(',') || field.contains('"') || field.contains('\n') || field.contains('\r'))
        field = '"' + field.replace("\"", "\"\"") + '"';
    return field;
}

} // namespace

ProgressReader::ProgressReader(const QString &path)
{
    openState = connection.open(path, ProgressConnection::Mode::Read);
    lastError = connection.detail;
}

bool ProgressReader::usable()
{
    return openState == ProgressConnection::State::Ready;
}

QList<WordStat> ProgressReader::wordStats(const QString &setId)
{
    QList<WordStat> words;
    if (!usable())
        return words;
    QSqlQuery query(connection.db());
    query.prepare(QStringLiteral(
        "SELECT word, count(*) AS n, sum(first_try_right) AS r FROM answers WHERE word_set = ?"
        " GROUP BY word ORDER BY CAST(r AS REAL) / n, n DESC, word"));
    query.addBindValue(setId);
    if (!query.exec())
        lastError = query.lastError().text();
    while (query.next())
        words.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toInt()});
    return words;
}

QList<DayStat> ProgressReader::days(int weeks, const QDate &today)
{
    QList<DayStat> result;
    if (!usable())
        return result;
    // Times begin with the local date, so the text compares as the day does.
    const QString from = today.addDays(1 - 7 * qint64(weeks)).toString(Qt::ISODate);
    const QString to = today.addDays(1).toString(Qt::ISODate);
    QSqlQuery query(connection.db());
    query.prepare(QStringLiteral(
        "SELECT d, sum(g), sum(q), sum(r) FROM ("
        " SELECT substr(started, 1, 10) AS d, 1 AS g, 0 AS q, 0 AS r FROM games WHERE started >= ? AND started < ?"
        " UNION ALL"
        " SELECT substr(time, 1, 10), 0, 1, first_try_right FROM answers WHERE time >= ? AND time < ?"
        ") GROUP BY d ORDER BY d"));
    for (const QString &bound : {from, to, from, to})
        query.addBindValue(bound);
    if (!query.exec())
        lastError = query.lastError().text();
    while (query.next())
        result.append({QDate::fromString(query.value(0).toString(), Qt::ISODate), query.value(1).toInt(),
                       query.value(2).toInt(), query.value(3).toInt()});
    return result;
}

QList<TrickyWord> ProgressReader::trickyWords(const QStringList &playableSets, int count, int minAsked)
{
    QList<TrickyWord> words;
    if (!usable())
        return words;
    QString inSets;
    if (!playableSets.isEmpty()) {
        QStringList marks(playableSets.size(), QStringLiteral("?"));
        inSets = QStringLiteral(" WHERE word_set IN (%1)").arg(marks.join(u','));
    }
    // A word's set is that of its latest answer: SQLite takes the bare columns
    // of a max() aggregate from the row holding the maximum.
    QSqlQuery query(connection.db());
    query.prepare(QStringLiteral(
        "SELECT word, word_set, n, r FROM ("
        " SELECT word, word_set, max(id), count(*) AS n, sum(first_try_right) AS r FROM answers%1"
        " GROUP BY lower(word) HAVING n >= ?)"
        " ORDER BY CAST(r AS REAL) / n, n DESC, word, word_set LIMIT ?")
                      .arg(inSets));
    for (const QString &set : playableSets)
        query.addBindValue(set);
    query.addBindValue(minAsked);
    query.addBindValue(count);
    if (!query.exec())
        lastError = query.lastError().text();
    while (query.next())
        words.append({query.value(0).toString(), query.value(1).toString(), query.value(2).toInt(),
                      query.value(3).toInt()});
    return words;
}

bool ProgressReader::exportCsv(QIODevice &out)
{
    if (out.write("time,set,word,level,first_try_right,wrong_picks,timeouts,ms\r\n") < 0) {
        lastError = out.errorString();
        return false;
    }
    if (openState == ProgressConnection::State::Missing)
        return true;
    if (!usable())
        return false;
    QSqlQuery query(connection.db());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT time, word_set, word, level, first_try_right, wrong_picks, timeouts, ms"
                                   " FROM answers ORDER BY id"))) {
        lastError = query.lastError().text();
        return false;
    }
    while (query.next()) {
        QByteArray row = csvField(query.value(0).toString()) + ',' + csvField(query.value(1).toString()) + ','
                         + csvField(query.value(2).toString());
        for (int column = 3; column < 8; ++column)
            row += ',' + (query.isNull(column) ? QByteArray() : QByteArray::number(query.value(column).toLongLong()));
        if (out.write(row + "\r\n") < 0) {
            lastError = out.errorString();
            return false;
        }
    }
    if (query.lastError().isValid()) {
        lastError = query.lastError().text();
        return false;
    }
    return true;
}

bool ProgressReader::exportCsvFile(const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        lastError = file.errorString();
        return false;
    }
    if (!exportCsv(file))
        return false;  // QSaveFile leaves the old file as it was
    if (!file.commit()) {
        lastError = file.errorString();
        return false;
    }
    return true;
}

bool ProgressReader::forgetAll()
{
    if (openState == ProgressConnection::State::Missing)
        return true;
    if (!usable())
        return false;
    QSqlQuery query(connection.db());
    // Deleted rows are overwritten with zeros, and the log that held them is emptied.
    const bool done = query.exec(QStringLiteral("PRAGMA secure_delete=ON")) && connection.db().transaction()
                      && query.exec(QStringLiteral("DELETE FROM answers"))
                      && query.exec(QStringLiteral("DELETE FROM games")) && connection.db().commit();
    if (!done) {
        lastError = query.lastError().isValid() ? query.lastError().text() : connection.db().lastError().text();
        connection.db().rollback();
        return false;
    }
    query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    return true;
}
