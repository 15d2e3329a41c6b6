#pragma once

#include "progress/progressdatabase.h"

#include <QDate>
#include <QList>
#include <QStringList>

class QIODevice;

struct WordStat
{
    QString word;
    int asked = 0;
    int firstTryRight = 0;
};

struct DayStat
{
    QDate day;  // the player's local date
    int games = 0;  // games started that day
    int questions = 0;
    int firstTryRight = 0;
};

struct TrickyWord
{
    QString word;
    QString setId;  // the set it was asked in most recently
    int asked = 0;
    int firstTryRight = 0;
};

// What the record says, for the progress page, the export and the tricky set.
// It opens the record as it finds it: it never creates, moves or migrates one.
// A missing record reads as an empty one.
class ProgressReader
{
public:
    explicit ProgressReader(const QString &path = defaultProgressPath());

    // Ready or Missing: the lists below are the record's; otherwise they are empty.
    ProgressConnection::State state() const { return openState; }
    // Why the last call failed, or why the record cannot be read (SQLite's message).
    QString error() const { return lastError; }

    // Every word asked in the set: hardest first (lowest first-try rate, then
    // the more often asked, then by text).
    QList<WordStat> wordStats(const QString &setId);

    // The days with a game or a question within the `weeks` weeks up to `today`, oldest first.
    QList<DayStat> days(int weeks, const QDate &today = QDate::currentDate());

    // The `count` words with the lowest first-try rate among those asked at
    // least `minAsked` times. A word is its text, letter case aside, counted
    // over every set; with `playableSets`, only the answers given in those sets
    // count. Ties: the more often asked first, then by text.
    QList<TrickyWord> trickyWords(const QStringList &playableSets = {}, int count = 20, int minAsked = 3);

    // UTF-8 CSV, one row per question, oldest first, under the header
    // "time,set,word,level,first_try_right,wrong_picks,timeouts,ms".
    bool exportCsv(QIODevice &out);
    // The same into a file, replaced whole or not at all.
    bool exportCsvFile(const QString &path);

    // Deletes every game and answer, and the traces of them in the file.
    bool forgetAll();

private:
    bool usable();

    ProgressConnection connection;
    ProgressConnection::State openState;
    QString lastError;
};
