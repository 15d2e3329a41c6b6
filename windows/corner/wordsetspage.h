#pragma once

#include "wordsets/wordsets.h"

#include <QList>
#include <QWidget>

class WordSetTile;

// The corner's page of word sets: one tile per set, the child's saved choice
// marked, and `playingId`, the set of the next game, when it is another.
// Choosing a tile remembers it for the child's next starts and hands it on;
// the tricky words are the child's.
class WordSetsPage : public QWidget
{
    Q_OBJECT
public:
    WordSetsPage(const WordSets &sets, const QString &playingId, int child, QWidget *parent = nullptr);

    const QList<WordSetTile *> &tiles() const { return tileList; }
    void choose(WordSetTile *tile);

signals:
    void chosen(WordSets::Set set);

private:
    WordSets sets;
    int child;
    QList<WordSetTile *> tileList;
};
