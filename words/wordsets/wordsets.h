#pragma once

#include "wordsets/wordsource.h"

#include <QList>
#include <QString>

#include <memory>

// Every word set the game knows, in the order a grown-up sees them: the
// built-in sets 1 to 6 first.
class WordSets
{
public:
    using Set = std::shared_ptr<const WordSource>;

    WordSets();

    const QList<Set> &all() const { return sets; }
    // Null where no set has this id. "tricky" is drawn from the progress
    // record (`child`'s answers, ChildList::noChild for those of no child)
    // anew at each call, and is null while too few words qualify.
    Set find(const QString &id, int child = 0) const;
    // The set a game that starts now plays when `chosen` is chosen: a set
    // drawn from the record takes the record as it is now, if it still can;
    // a set of files takes its files as they are now, and `chosen` becomes
    // that set, so that the next game compares with what this one plays.
    // A set that turns out unplayable is left chosen, and the game plays the
    // household set instead.
    static Set forNewGame(Set &chosen);
    // The household set the game has always played.
    Set standard() const { return sets.first(); }

    // Adds a set that is not built in. Refused (false) when its id is empty,
    // made only of digits (reserved for built-in sets) or taken.
    bool add(Set set);

    static bool isBuiltInId(const QString &id);

private:
    QList<Set> sets;
};
