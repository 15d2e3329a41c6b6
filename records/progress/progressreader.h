#pragma once

#include "progress/progressdatabase.h"

#include <QDate>
#include <QHash>
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

// One child's games at a glance, for a teacher's view of the class.
struct ChildSummary
{
    int child = 0;
    int games = 0;
    int asked = 0;  // questions, the repeats of a word included
    int firstTryRight = 0;
    QStringList hardest;  // their five hardest words, hardest first: only words they missed at first
};

// What the record says, for the progress page, the export and the tricky set.
// It opens the record as it finds it: it never creates or moves one, and only
// brings an earlier version's up to date. A missing record reads as an empty one.
// `children` names whose answers count: the ids of the settings' children,
// ChildList::noChild (0) for the answers of no child; several ids read as one
// (every former child together).
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
    QList<WordStat> wordStats(const QString &setId, const QList<int> &children);

    // The days with a game or a question within the `weeks` weeks up to `today`, oldest first.
    QList<DayStat> days(const QList<int> &children, int weeks, const QDate &today = QDate::currentDate());

    // The `count` words with the lowest first-try rate among those asked at
    // least `minAsked` times. A word is its text, letter case aside, counted
    // over every set; with `playableSets`, only the answers given in those sets
    // count. Ties: the more often asked first, then by text.
    QList<TrickyWord> trickyWords(const QList<int> &children, const QStringList &playableSets = {}, int count = 20,
                                  int minAsked = 3);

    // One summary for each of `children`, in their order (no games: zeros).
    QList<ChildSummary> classSummary(const QList<int> &children);
    // The children (and noChild) who have a game in the record.
    QList<int> childrenWithGames();

    // UTF-8 CSV, one row per question, oldest first, under the header
    // "child,time,set,word,level,first_try_right,wrong_picks,timeouts,ms,pace";
    // `child` is the name in `names`, empty for no child.
    bool exportCsv(QIODevice &out, const QHash<int, QString> &names);
    // The same into a file, replaced whole or not at all.
    bool exportCsvFile(const QString &path, const QHash<int, QString> &names);

    // Deletes the games and answers of `children`, and the traces of them in the file.
    bool forget(const QList<int> &children);
    // Deletes every game and answer, and the traces of them in the file.
    bool forgetAll();

private:
    bool usable();
    bool deleteWhere(const QString &gamesFilter, const QList<int> &children);

    ProgressConnection connection;
    ProgressConnection::State openState;
    QString lastError;
};
