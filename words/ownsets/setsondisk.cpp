#include "ownsets/setsondisk.h"

#include "ownsets/ownwordset.h"

#include "wordsets/trickywordset.h"

#include <QDir>

namespace ownsets {

// Enough for any household or class; a folder of thousands is not read whole.
constexpr int maxSets = 200;

QList<Folder> addPlayableSets(WordSets &sets, const FitsLabel &fits, const QString &folder)
{
    QList<Folder> unplayable;
    const QStringList names =
        QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name).mid(0, maxSets);
    for (const QString &name : names) {
        if (name.startsWith(u'.')) // an import being unpacked
            continue;
        Folder set = listFolder(QDir(folder).filePath(name), fits);
        if (!set.playable())
            unplayable.append(set);
        else if (!sets.find(set.id))
            sets.add(std::make_shared<OwnWordSet>(set));
    }
    return unplayable;
}

} // namespace ownsets

WordSets::Set findWordSet(const QString &id, int child)
{
    // The tricky words come from every set, own ones included.
    if (id == TrickyWordSet::setId)
        return allWordSets().find(id, child);
    if (WordSets::Set builtIn = WordSets().find(id))
        return builtIn;
    if (!ownsets::isValidId(id))
        return nullptr;
    const ownsets::Folder set = ownsets::readFolder(ownsets::setsFolder() + id, ownsets::fitsWordLabel);
    return set.playable() ? std::make_shared<OwnWordSet>(set) : nullptr;
}

SetsOnDisk setsOnDisk()
{
    SetsOnDisk sets;
    sets.unplayable = ownsets::addPlayableSets(sets.playable, ownsets::fitsWordLabel);
    return sets;
}

WordSets allWordSets()
{
    return setsOnDisk().playable;
}
