#pragma once

#include "wordsets/wordsource.h"

#include <QFrame>

class QLabel;

// One word set as a grown-up sees it: its Chinese and English names and three
// of its pictures. A click (or Space) chooses it; the chosen one is marked.
class WordSetTile : public QFrame
{
    Q_OBJECT
public:
    WordSetTile(const WordSource &set, QWidget *parent);

    const QString &setId() const { return id; }
    bool isChosen() const { return chosen; }
    void setChosen(bool on);
    // Shown, but not to be chosen, for the reason given.
    void setUnavailable(const QString &why);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString id;
    bool chosen = false;
    QLabel *mark = nullptr;
};
