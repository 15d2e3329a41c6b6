#include "corner/wordsetspage.h"

#include "children/childlist.h"
#include "corner/pacechoice.h"
#include "corner/tilegrid.h"
#include "corner/wordsettile.h"
#include "ownsets/ownwordset.h"
#include "wordsets/trickywordset.h"
#include "wordsets/rememberedset.h"

#include <QCollator>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

WordSetsPage::WordSetsPage(const WordSets &wordSets, const QList<ownsets::Folder> &unplayable,
                           const QString &playingId, int playing, QWidget *parent)
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
    tileGrid = new TileGrid(WordSetTile::tileWidth, this);
    const auto addTile = [&](const WordSource &set) {
        auto *tile = new WordSetTile(set, tileGrid->widget());
        tile->setChosen(set.id() == savedId);
        tile->setPlayingOnce(set.id() == playingId && playingId != savedId);
        connect(tile, &WordSetTile::clicked, this, [this, tile] { choose(tile); });
        tileGrid->add(tile);
        tileList.append(tile);
        return tile;
    };
    // Own sets, playable or not, in one list: `why` is empty for those that play.
    QList<std::pair<WordSets::Set, QString>> own;
    for (const WordSets::Set &set : sets.all())
        if (WordSets::isBuiltInId(set->id()))
            addTile(*set);
        else
            own.append({set, {}});
    // The words the child finds hardest, once the record knows enough of them.
    const TrickyWordSet tricky(sets, child);
    WordSetTile *trickyTile = addTile(tricky);
    if (!tricky.playable())
        trickyTile->setUnavailable(tricky.shortfall());
    // Shown, never played: the tile takes its names and pictures and keeps no set.
    for (const ownsets::Folder &folder : unplayable)
        own.append({std::make_shared<OwnWordSet>(folder), folder.whatIsWrong()});
    // By name as a person sorts them: Chinese by pinyin, then English, any
    // case, "第2周" before "第10周", whatever the system's language.
    QCollator byName(QLocale(QLocale::Chinese, QLocale::China));
    byName.setNumericMode(true);
    byName.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(own.begin(), own.end(), [&byName](const auto &a, const auto &b) {
        const int order = byName.compare(a.first->chineseName(), b.first->chineseName());
        return order != 0 ? order < 0 : a.first->id() < b.first->id();
    });
    for (const auto &[set, why] : own)
        if (WordSetTile *tile = addTile(*set); !why.isEmpty())
            tile->setCannotPlay(why);
    layout->addWidget(tileGrid, 1);
    layout->addWidget(new PaceChoice(child, this));
}

void WordSetsPage::choose(WordSetTile *tile)
{
    // A folder that cannot play may bear a built-in set's number as its name.
    const WordSets::Set set = tile->isEnabled() ? sets.find(tile->setId(), child) : nullptr;
    if (!set)
        return;
    for (WordSetTile *each : tileList) {
        each->setChosen(each == tile);
        each->setPlayingOnce(false);
    }
    rememberWordSet(set->id(), child);
    emit chosen(set);
}
