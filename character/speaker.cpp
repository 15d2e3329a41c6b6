#include "app/form2.h"

// The room's character says the current word: its open-mouthed face goes up
// for one Timerboy period while the recording plays. Starting Timerboy again
// restarts the period, so the mouth stays open a full 800 ms from the last
// time the word began.
void Form2::Speak()
{
    PicBoy(0)->show();
    Timerboy.start();
    player.play(wordWav, PlayMode::Async);
}

void Form2::TimerBoy_Timer()
{
    PicBoy(0)->hide();
    Timerboy.stop();
}

// A press on the room asks for the word again, during a game only. The strip
// right of x = 445 is not part of the room.
void Form2::Form_MouseDown(int, int, float X, float)
{
    if (X >= 445 || !gameOn)
        return;
    Speak();
}
