#include "forms/roomview.h"

#include "forms/form2.h"
#include "corner/cornerbutton.h"
#include "children/childlist.h"
#include "children/whoisplayingbutton.h"
#include "forms/form3.h"
#include "wordsets/wordsource.h"

// The first picture sits in the corner; each next one right of the one
// before, and every fifth starts a row under the first of the row above.
void RoomView::layOutRound(const WordSource &words, const qint16 *picWord, int count)
{
    ControlArray<PictureBox> &LabelP = window.LabelP;
    PictureBox *first = LabelP(0);
    first->show();
    first->setPicture(words.picture(picWord[0]));
    first->setGeometry(0, 0, 90, 90);
    for (int i = 1; i < count; ++i) {
        PictureBox *box = LabelP.load(i);
        box->setPicture(words.picture(picWord[i]));
        box->show();
        if (i % 5 == 0)
            box->move(first->x(), LabelP(i - 4)->y() + first->height() + 1);
        else
            box->move(LabelP(i - 1)->x() + first->width(), LabelP(i - 1)->y());
    }
}

void RoomView::removeRoundPictures(int last)
{
    for (int i = 1; i <= last; ++i)
        if (window.LabelP.exists(i))
            window.LabelP.unload(i);
}

void RoomView::hideAnswerPicture(int index)
{
    if (window.LabelP.exists(index))
        window.LabelP(index)->hide();
}

void RoomView::setHintPicture(const WordSource &words, int word)
{
    window.Picz->setPicture(words.picture(word));
}

void RoomView::setHintShown(bool shown)
{
    window.Picz->setVisible(shown);
}

void RoomView::setBookShown(bool shown)
{
    window.PicHP->setVisible(shown);
}

void RoomView::setWordText(const QString &text)
{
    window.Label3->setText(text);
}

void RoomView::setScoreText(const QString &text)
{
    window.Label2->setText(text);
}

void RoomView::setFacePicture(int id)
{
    window.PicBoy(0)->setPicture(id);
}

void RoomView::moveFace(int x, int y)
{
    window.PicBoy(0)->move(x, y);
}

void RoomView::setFaceShown(bool shown)
{
    window.PicBoy(0)->setVisible(shown);
}

void RoomView::hideBall(int index)
{
    window.Pics(index)->hide();
}

void RoomView::showAllBalls()
{
    for (int i = 0; i < 5; ++i)
        window.Pics(i)->show();
}

void RoomView::setRoom(int id)
{
    window.setBackground(id);
}

QTimer &RoomView::timer(Clock clock) const
{
    switch (clock) {
    case Clock::Question:
        return window.Timer1;
    case Clock::Pause:
        return window.Timer2;
    case Clock::Face:
        break;
    }
    return window.Timerboy;
}

void RoomView::startClock(Clock clock)
{
    timer(clock).start();
}

void RoomView::stopClock(Clock clock)
{
    timer(clock).stop();
}

void RoomView::setClockInterval(Clock clock, int milliseconds)
{
    timer(clock).setInterval(milliseconds);
}

int RoomView::clockInterval(Clock clock) const
{
    return timer(clock).interval();
}

bool RoomView::clockRunning(Clock clock) const
{
    return timer(clock).isActive();
}

void RoomView::setPausedShown(bool shown)
{
    if (shown) {
        window.pauseSign->setGeometry(window.rect());
        window.pauseSign->raise();
    }
    window.pauseSign->setVisible(shown);
}

void RoomView::setGameRunning(bool running)
{
    window.cornerButton->setEnabled(!running);
    window.whoIsPlaying->setEnabled(!running);
}

void RoomView::showLeaderboard(qint16 grd, const QString &boardFileName, const QString &wordSetName, qint32 score)
{
    if (!window.form3)
        window.form3 = std::make_unique<Form3>(window, window.rules().soundPlayer(), BoardLocation(window.sPath));
    Form3 &board = *window.form3;
    board.grd = grd;
    board.boardFileName = boardFileName;
    board.wordSetName = wordSetName;
    board.playerName = ChildList().nameOf(window.rules().playingChild());
    board.fcount = score;
    window.companions->opened(&board);
    board.Show();
}
