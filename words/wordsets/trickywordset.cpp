#include "wordsets/trickywordset.h"

#include "leaderboard/boardfile.h"
#include "progress/progressreader.h"

TrickyWordSet::TrickyWordSet(const WordSets &sets, int child, const QString &recordPath)
    : sources(sets), child(child), progressFile(recordPath)
{
    QStringList ids;
    for (const WordSets::Set &set : sets.all())
        ids << set->id();
    // More than needed (62, the most a set may have): a word its set no longer
    // has is passed over.
    for (const TrickyWord &tricky : ProgressReader(recordPath).trickyWords({child}, ids, 62, timesAsked)) {
        const WordSets::Set set = sets.find(tricky.setId);
        const int index = set ? int(set->words().indexOf(tricky.word)) : -1;
        if (index >= 0 && picks.size() < most)
            picks.append({set, index});
    }
}

std::shared_ptr<const TrickyWordSet> TrickyWordSet::redrawn() const
{
    return std::make_shared<const TrickyWordSet>(sources, child, progressFile);
}

QString TrickyWordSet::shortfall() const
{
    return QStringLiteral("还差 %1 个词：一个词答过至少 %2 次才算。").arg(fewest - wordCount()).arg(timesAsked);
}

qint16 TrickyWordSet::boardNumber() const
{
    return trickyBoard;
}

QStringList TrickyWordSet::words() const
{
    QStringList list;
    for (const Pick &pick : picks)
        list << pick.set->words().value(pick.index);
    return list;
}

PictureArt TrickyWordSet::picture(int word) const
{
    return word >= 0 && word < picks.size() ? picks[word].set->picture(picks[word].index) : PictureArt();
}

WordSource::PictureFile TrickyWordSet::pictureFile(int word) const
{
    return word >= 0 && word < picks.size() ? picks[word].set->pictureFile(picks[word].index) : PictureFile();
}

QString TrickyWordSet::meaning(int word) const
{
    return word >= 0 && word < picks.size() ? picks[word].set->meaning(picks[word].index) : QString();
}

QByteArray TrickyWordSet::recording(int word) const
{
    return word >= 0 && word < picks.size() ? picks[word].set->recording(picks[word].index) : QByteArray();
}

WordKey TrickyWordSet::key(int word) const
{
    return word >= 0 && word < picks.size() ? picks[word].set->key(picks[word].index) : WordKey();
}
