#pragma once

#include "wordsets/wordsets.h"

#include <QList>
#include <QWidget>

class WordSetTile;

// The corner's page of word sets: one tile per set, the chosen one marked.
// Choosing a tile remembers it for the child's next starts and hands it on;
// the tricky words are the child's.
class WordSetsPage : public QWidget
{
    Q_OBJECT
public:
    WordSetsPage(const WordSets &sets, const QString &chosenId, int child, QWidget *parent = nullptr);

    const QList<WordSetTile *> &tiles() const { return tileList; }
    void choose(WordSetTile *tile);

signals:
    void chosen(WordSets::Set set);

private:
    WordSets sets;
    int child;
    QList<WordSetTile *> tileList;
};
