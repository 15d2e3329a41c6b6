#pragma once

#include "ownsets/setreader.h"
#include "wordsets/wordsets.h"

#include <QList>
#include <QWidget>

class TileGrid;
class WordSetTile;

// The corner's page of word sets: one tile per set, the child's saved choice
// marked, and `playingId`, the set of the next game, when it is another.
// Choosing a tile remembers it for the child's next starts and hands it on;
// the tricky words are the child's. The built-in sets come first, then the
// tricky words, then one's own by name, those that cannot play among them,
// in a grid that scrolls; the pace stays in sight below it.
class WordSetsPage : public QWidget
{
    Q_OBJECT
public:
    // `unplayable`: own folders that cannot play, shown with why.
    WordSetsPage(const WordSets &sets, const QList<ownsets::Folder> &unplayable, const QString &playingId, int child,
                 QWidget *parent = nullptr);

    const QList<WordSetTile *> &tiles() const { return tileList; }
    TileGrid *tileGrid = nullptr;
    void choose(WordSetTile *tile);

signals:
    void chosen(WordSets::Set set);

private:
    WordSets sets;
    int child;
    QList<WordSetTile *> tileList;
};
