#include "app/form2.h"

#include "corner/cornerbutton.h"
#include "media/catalogue.h"

// The start button; a running game cannot be restarted.
void Form2::PicB_Click()
{
    if (gameOn)
        return;
    List1_Click();
    Picz->show();
    gameOn = true;
    cornerButton->setEnabled(false);
}

// Sets up a new game and lays out its first round.
void Form2::List1_Click()
{
    // A set chosen since the last game takes over (one drawn from the record
    // is drawn again); its number picks the board.
    playingWords = WordSets::forNewGame(nextWords);
    wordSet = playingWords->boardNumber();
    Label2->setText(QString());
    level = 0;
    score = 0;
    levelScore = 0;
    pauseTicks = 0;
    lives = 5;
    qNum = 0;
    Timer1.setInterval(200);
    for (int i = 0; i < 5; ++i)
        Pics(i)->show();
    removeRoundPictures();
    tickCount = 1;
    repeatCount = 0;
    setBackground(catalogue::RoomPicture + level);
    NewRound();
    recorder.gameStarted(playingWords->id());
}

// The question clock: 50 ticks for a question, then a chance is lost and the
// same question gets 50 more.
void Form2::Timer1_Timer()
{
    ++tickCount;
    if (tickCount > 50) {
        tickCount = 1;
        tally.timeOut();
        loseChance();
    }
}

// The pause after a round: at the sixth tick the room of the level reached
// goes up, the clock gets faster and the next round is laid out.
void Form2::Timer2_Timer()
{
    ++pauseTicks;
    if (pauseTicks <= 5)
        return;
    Timer2.stop();
    pauseTicks = 0;
    qNum = 0;
    removeRoundPictures();
    repeatCount = 0;
    setBackground(catalogue::RoomPicture + level);
    if (Timer1.interval() > 22)
        Timer1.setInterval(Timer1.interval() - 20);
    if (level == 0)
        Picz->show();
    NewRound();
}
