#include "progress/progressreader.h"

#include <QSaveFile>
#include <QSqlError>
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

// "(?, ?, ...)": one placeholder for each value, bound in order by bindAll.
template <typename T>
QString marks(const QList<T> &values)
{
    return u'(' + QStringList(values.size(), QStringLiteral("?")).join(u',') + u')';
}

// The games of `children`, as a list for "game IN ...".
QString gamesOf(const QList<int> &children)
{
    return QStringLiteral("(SELECT id FROM games WHERE child IN %1)").arg(marks(children));
}

void bindAll(QSqlQuery &query, const QList<int> &children)
{
    for (const int child : children)
        query.addBindValue(child);
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

QList<WordStat> ProgressReader::wordStats(const QString &setId, const QList<int> &children)
{
    QList<WordStat> words;
    if (!usable())
        return words;
    QSqlQuery query(connection.db());
    query.prepare(QStringLiteral(
        "SELECT word, count(*) AS n, sum(first_try_right) AS r FROM answers WHERE word_set = ? AND game IN %1"
        " GROUP BY word ORDER BY CAST(r AS REAL) / n, n DESC, word").arg(gamesOf(children)));
    query.addBindValue(setId);
    bindAll(query, children);
    if (!query.exec())
        lastError = query.lastError().text();
    while (query.next())
        words.append({query.value(0).toString(), query.value(1).toInt(), query.value(2).toInt()});
    return words;
}

QList<DayStat> ProgressReader::days(const QList<int> &children, int weeks, const QDate &today)
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
        " SELECT substr(started, 1, 10) AS d, 1 AS g, 0 AS q, 0 AS r FROM games"
        "  WHERE started >= ? AND started < ? AND child IN %1"
        " UNION ALL"
        " SELECT substr(time, 1, 10), 0, 1, first_try_right FROM answers WHERE time >= ? AND time < ? AND game IN %2"
        ") GROUP BY d ORDER BY d").arg(marks(children), gamesOf(children)));
    for (int part = 0; part < 2; ++part) {
        query.addBindValue(from), query.addBindValue(to);
        bindAll(query, children);
    }
    if (!query.exec())
        lastError = query.lastError().text();
    while (query.next())
        result.append({QDate::fromString(query.value(0).toString(), Qt::ISODate), query.value(1).toInt(),
                       query.value(2).toInt(), query.value(3).toInt()});
    return result;
}

QList<TrickyWord> ProgressReader::trickyWords(const QList<int> &children, const QStringList &playableSets, int count,
                                              int minAsked)
{
    QList<TrickyWord> words;
    if (!usable())
        return words;
    QString inSets;
    if (!playableSets.isEmpty())
        inSets = QStringLiteral(" AND word_set IN ") + marks(playableSets);
    // A word's set is that of its latest answer: SQLite takes the bare columns
    // of a max() aggregate from the row holding the maximum.
    QSqlQuery query(connection.db());
    query.prepare(QStringLiteral(
        "SELECT word, word_set, n, r FROM ("
        " SELECT word, word_set, max(id), count(*) AS n, sum(first_try_right) AS r FROM answers WHERE game IN %1%2"
        " GROUP BY lower(word) HAVING n >= ?)"
        " ORDER BY CAST(r AS REAL) / n, n DESC, word, word_set LIMIT ?")
                      .arg(gamesOf(children), inSets));
    bindAll(query, children);
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

QList<ChildSummary> ProgressReader::classSummary(const QList<int> &children)
{
    QList<ChildSummary> summaries;
    for (const int child : children) {
        ChildSummary summary;
        summary.child = child;
        summaries.append(summary);
    }
    if (!usable())
        return summaries;
    QSqlQuery query(connection.db());
    query.prepare(QStringLiteral(
        "SELECT g.child, count(DISTINCT g.id), count(a.id), total(a.first_try_right)"
        " FROM games g LEFT JOIN answers a ON a.game = g.id WHERE g.child IN %1 GROUP BY g.child").arg(marks(children)));
    bindAll(query, children);
    if (!query.exec())
        lastError = query.lastError().text();
    while (query.next())
        for (ChildSummary &summary : summaries)
            if (summary.child == query.value(0).toInt()) {
                summary.games = query.value(1).toInt();
                summary.asked = query.value(2).toInt();
                summary.firstTryRight = query.value(3).toInt();
            }
    for (ChildSummary &summary : summaries)
        for (const TrickyWord &word : summary.asked ? trickyWords({summary.child}, {}, 5, 1) : QList<TrickyWord>())
            if (word.firstTryRight < word.asked) // a word always right at once is not hard
                summary.hardest.append(word.word);
    return summaries;
}

QList<int> ProgressReader::childrenWithGames()
{
    QList<int> children;
    if (!usable())
        return children;
    QSqlQuery query(connection.db());
    if (!query.exec(QStringLiteral("SELECT DISTINCT child FROM games ORDER BY child")))
        lastError = query.lastError().text();
    while (query.next())
        children.append(query.value(0).toInt());
    return children;
}

bool ProgressReader::exportCsv(QIODevice &out, const QHash<int, QString> &names)
{
    if (out.write("child,time,set,word,level,first_try_right,wrong_picks,timeouts,ms,pace\r\n") < 0) {
        lastError = out.errorString();
        return false;
    }
    if (openState == ProgressConnection::State::Missing)
        return true;
    if (!usable())
        return false;
    QSqlQuery query(connection.db());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT g.child, a.time, a.word_set, a.word, a.level, a.first_try_right,"
                                   " a.wrong_picks, a.timeouts, a.ms, g.pace FROM answers a JOIN games g ON g.id = a.game"
                                   " ORDER BY a.id"))) {
        lastError = query.lastError().text();
        return false;
    }
    while (query.next()) {
        QByteArray row = csvField(names.value(query.value(0).toInt()));
        for (int column = 1; column < 4; ++column)
            row += ',' + csvField(query.value(column).toString());
        for (int column = 4; column < 9; ++column)
            row += ',' + (query.isNull(column) ? QByteArray() : QByteArray::number(query.value(column).toLongLong()));
        row += ',' + csvField(query.value(9).toString());
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

bool ProgressReader::exportCsvFile(const QString &path, const QHash<int, QString> &names)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        lastError = file.errorString();
        return false;
    }
    if (!exportCsv(file, names))
        return false;  // QSaveFile leaves the old file as it was
    if (!file.commit()) {
        lastError = file.errorString();
        return false;
    }
    return true;
}

bool ProgressReader::forget(const QList<int> &children)
{
    return deleteWhere(QStringLiteral(" WHERE child IN ") + marks(children), children);
}

bool ProgressReader::forgetAll()
{
    return deleteWhere(QString(), {});
}

bool ProgressReader::deleteWhere(const QString &gamesFilter, const QList<int> &children)
{
    if (openState == ProgressConnection::State::Missing)
        return true;
    if (!usable())
        return false;
    QSqlQuery query(connection.db());
    QSqlQuery answers(connection.db()), games(connection.db());
    answers.prepare(QStringLiteral("DELETE FROM answers WHERE game IN (SELECT id FROM games%1)").arg(gamesFilter));
    games.prepare(QStringLiteral("DELETE FROM games%1").arg(gamesFilter));
    bindAll(answers, children), bindAll(games, children);
    // Deleted rows are overwritten with zeros, and the log that held them is emptied.
    const bool done = query.exec(QStringLiteral("PRAGMA secure_delete=ON")) && connection.db().transaction()
                      && answers.exec() && games.exec() && connection.db().commit();
    if (!done) {
        const QSqlError error = answers.lastError().isValid() ? answers.lastError()
                                : games.lastError().isValid() ? games.lastError()
                                : query.lastError().isValid() ? query.lastError()
                                                              : connection.db().lastError();
        lastError = error.text();
        connection.db().rollback();
        return false;
    }
    query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    return true;
}
