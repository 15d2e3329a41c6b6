#include "app/form2.h"

#include "corner/cornerbutton.h"
#include "leaderboard/form3.h"

// The last chance is gone: everything stops and the leaderboard takes the
// score. The rest of the state stays as it was, for the child to look at.
void Form2::GameOver()
{
    gameOn = false;
    cornerButton->setEnabled(true);
    for (int i = 0; i <= 9; ++i)
        if (LabelP.exists(i))
            LabelP(i)->hide();
    Timerboy.stop();
    Timer1.stop();
    Timer2.stop();
    if (tally.asking())
        recorder.questionEnded(tally.cutOff());
    recorder.gameEnded(score, level);
    if (!form3)
        form3 = std::make_unique<Form3>(*this, player, BoardLocation(sPath));
    form3->grd = wordSet;
    form3->boardFileName = playingWords->boardFileName();
    form3->wordSetName = playingWords->chineseName();
    form3->fcount = score;
    frame->opened(form3.get());
    form3->Show();
}
