#include "corner/wordsetspage.h"

#include "children/childlist.h"
#include "corner/pacechoice.h"
#include "corner/wordsettile.h"
#include "wordsets/trickywordset.h"
#include "wordsets/rememberedset.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

WordSetsPage::WordSetsPage(const WordSets &wordSets, const QString &playingId, int playing, QWidget *parent)
    : QWidget(parent)
    , sets(wordSets)
    , child(playing)
{
    auto *layout = new QVBoxLayout(this);
    // With children each has their own choice: the grown-up sees whose this is.
    const QString name = ChildList().nameOf(child);
    auto *title = new QLabel(name.isEmpty() ? QStringLiteral("选一组词语，下一局游戏就用它。")
                                            : QStringLiteral("为 %1 选一组词语和游戏速度，%1 的下一局游戏就用它们。").arg(name),
                             this);
    title->setObjectName(QStringLiteral("whoseChoice"));
    title->setTextFormat(Qt::PlainText);
    title->setWordWrap(true);
    layout->addWidget(title);
    // The saved choice is marked; a set playing this run only (given on the
    // command line, or played from "my words") apart: the next start leaves it.
    const WordSets::Set remembered = sets.find(rememberedWordSet(child), child);
    const QString savedId = remembered ? remembered->id() : sets.standard()->id();
    auto *grid = new QGridLayout;
    grid->setSpacing(10);
    const auto addTile = [&](const WordSource &set) {
        auto *tile = new WordSetTile(set, this);
        tile->setChosen(set.id() == savedId);
        tile->setPlayingOnce(set.id() == playingId && playingId != savedId);
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
    grid->addWidget(new PaceChoice(child, this), after / 3, after % 3, 1, 3 - after % 3);
    layout->addLayout(grid);
    layout->addStretch();
}

void WordSetsPage::choose(WordSetTile *tile)
{
    const WordSets::Set set = sets.find(tile->setId(), child);
    if (!set)
        return;
    for (WordSetTile *each : tileList) {
        each->setChosen(each == tile);
        each->setPlayingOnce(false);
    }
    rememberWordSet(set->id(), child);
    emit chosen(set);
}
