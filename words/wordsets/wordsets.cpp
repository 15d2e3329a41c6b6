#include "wordsets/wordsets.h"

#include "wordsets/cataloguewordset.h"
#include "wordsets/trickywordset.h"

#include <algorithm>

WordSets::WordSets()
{
    struct Named
    {
        const char *zh;
        const char *en;
    };
    static const Named builtIn[] = {
        {"家里", "At home"},      {"动物", "Animals"},  {"食物和水果", "Food and fruit"},
        {"玩具和游戏", "Toys and play"}, {"衣服", "Clothes"}, {"户外", "Outside"},
    };
    int number = 1;
    for (const Named &named : builtIn)
        sets.append(std::make_shared<CatalogueWordSet>(number++, QString::fromUtf8(named.zh),
                                                       QString::fromUtf8(named.en)));
}

WordSets::Set WordSets::find(const QString &id, int child) const
{
    if (id == TrickyWordSet::setId) {
        auto tricky = std::make_shared<const TrickyWordSet>(*this, child);
        return tricky->playable() ? tricky : nullptr;
    }
    const auto found = std::find_if(sets.begin(), sets.end(), [&](const Set &set) { return set->id() == id; });
    return found == sets.end() ? nullptr : *found;
}

WordSets::Set WordSets::forNewGame(Set &chosen)
{
    const auto *tricky = dynamic_cast<const TrickyWordSet *>(chosen.get());
    if (!tricky) {
        if (Set now = chosen ? chosen->refreshed() : nullptr) {
            // Its recordings failed to convert: this game plays the household
            // set, and the choice stays for the corner to show why.
            if (!now->playable())
                return WordSets().standard();
            chosen = std::move(now);
        }
        return chosen;
    }
    // Drawn from the sets it was first drawn from, own sets included.
    const std::shared_ptr<const TrickyWordSet> now = tricky->redrawn();
    return now->playable() ? now : chosen;
}

bool WordSets::add(Set set)
{
    if (!set || set->id().isEmpty() || isBuiltInId(set->id()) || set->id() == TrickyWordSet::setId
        || find(set->id()))
        return false;
    sets.append(std::move(set));
    return true;
}

bool WordSets::isBuiltInId(const QString &id)
{
    // Any script's digits: "０" beside "0" would only confuse.
    return !id.isEmpty() && std::all_of(id.begin(), id.end(), [](QChar c) { return c.isDigit(); });
}
