#include "corner/wordsetspage.h"

#include "corner/pacechoice.h"
#include "corner/wordsettile.h"
#include "wordsets/trickywordset.h"
#include "wordsets/rememberedset.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

WordSetsPage::WordSetsPage(const WordSets &wordSets, const QString &chosenId, int playing, QWidget *parent)
    : QWidget(parent)
    , sets(wordSets)
    , child(playing)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("选一组词语，下一局游戏就用它。"), this));
    auto *grid = new QGridLayout;
    grid->setSpacing(10);
    const auto addTile = [&](const WordSource &set) {
        auto *tile = new WordSetTile(set, this);
        tile->setChosen(set.id() == chosenId);
        connect(tile, &WordSetTile::clicked, this, [this, tile] { choose(tile); });
        grid->addWidget(tile, int(tileList.size()) / 3, int(tileList.size()) % 3);
        tileList.append(tile);
        return tile;
    };
    for (const WordSets::Set &set : sets.all())
        addTile(*set);
    // The words the child finds hardest, once the record knows enough of them.
    const TrickyWordSet tricky(sets, child);
    WordSetTile *trickyTile = addTile(tricky);
    if (!tricky.playable())
        trickyTile->setUnavailable(tricky.shortfall());
    // The pace takes the rest of the last row of tiles, or a row of its own.
    const int after = int(tileList.size());
    grid->addWidget(new PaceChoice(this), after / 3, after % 3, 1, 3 - after % 3);
    layout->addLayout(grid);
    layout->addStretch();
}

void WordSetsPage::choose(WordSetTile *tile)
{
    const WordSets::Set set = sets.find(tile->setId(), child);
    if (!set)
        return;
    for (WordSetTile *each : tileList)
        each->setChosen(each == tile);
    rememberWordSet(set->id(), child);
    emit chosen(set);
}
