#pragma once

#include "wordsets/wordsource.h"

#include <QFrame>
#include <QImage>
#include <QList>

class QLabel;

// One word set as a grown-up sees it: its Chinese and English names and three
// of its pictures, and the words it plays without. A click (or Space) chooses
// it; the saved choice is marked, and more quietly a set that plays this run
// only. Of one width, so that tiles line up in columns; long names are cut
// short, whole in their tooltip.
class WordSetTile : public QFrame
{
    Q_OBJECT
public:
    WordSetTile(const WordSource &set, QWidget *parent);

    static constexpr int tileWidth = 190;

    const QString &setId() const { return id; }
    bool isChosen() const { return chosen; }
    void setChosen(bool on);
    // Plays this run only (given on the command line or by "play this set"),
    // not the saved choice.
    bool isPlayingOnce() const { return playingOnce; }
    void setPlayingOnce(bool on);
    // Shown, but not to be chosen, for the reason given.
    void setUnavailable(const QString &why);
    // A set that cannot play: marked 不能玩, its first reason on the tile
    // (reasons are parted by "；"), all of them in the tooltip.
    void setCannotPlay(const QString &why);

    // Whether every picture it shows is there, none still being decoded.
    bool picturesArrived() const { return waiting.isEmpty(); }

signals:
    void clicked();
    // The last of the pictures that were being decoded is shown.
    void picturesShown();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *addNote(const QString &text);
    void disable();

    void showLoaded(const QString &folder, const QString &name, const QImage &image, const QString &problem);

    struct Waiting
    {
        QString folder;
        QString name;
        QLabel *label;
    };
    QList<Waiting> waiting;
    QString id;
    bool chosen = false;
    bool playingOnce = false;
    QLabel *mark = nullptr;
    QLabel *onceMark = nullptr;
    QLabel *cannotMark = nullptr;
};
