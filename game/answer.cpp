#include "app/form2.h"

#include "media/catalogue.h"
#include "media/recording.h"

#include <algorithm>
#include <cmath>

namespace {
// Base points for the level and the speed bonus 1000 / ticks, rounded with
// halves to even. The score is 16-bit: it stops at 32767 and the game goes on.
qint16 scoreAfterFind(qint16 score, qint16 level, qint16 tickCount)
{
    const double points = double(score) + 50 + 10 * level + 1000.0 / std::max<qint16>(tickCount, 1);
    return qint16(std::min(std::nearbyint(points), 32767.0));
}
} // namespace

void Form2::Labelp_Click(qint16 Index)
{
    if (Index != qOrder[size_t(qNum)]) {
        tally.wrongPick();
        loseChance();
        return;
    }

    recorder.questionEnded(tally.rightPick());
    Timerboy.start();
    ++qNum;
    loadRecording(player, effectWav, catalogue::RightSound);
    player.play(effectWav, PlayMode::Wait);

    if (qNum < picCount + 1 + repeatCount) {
        // The next question of the round.
        Timer1.stop();
        score = scoreAfterFind(score, level, tickCount);
        Label2->setText(QString::number(score));
        tickCount = 1;
        presentQuestion();
        return;
    }

    // The round is complete: no points for this find, the pictures go, the
    // level test, and the pause before the next round.
    for (int i = 0; i <= picCount; ++i)
        LabelP(i)->hide();
    loadRecording(player, effectWav, catalogue::RoundSound);
    player.play(effectWav, PlayMode::Async);
    Timer1.stop();
    Picz->hide();
    if (score - levelScore > 2000 + 500 * level) {
        level = std::min<qint16>(qint16(level + 1), 3);
        levelScore = score;
    }
    Timer2.start();
}

// A wrong pick or a question left too long: the sound, one ball less, and
// the end of the game with the last one. The question stays.
void Form2::loseChance()
{
    loadRecording(player, effectWav, catalogue::WrongSound);
    player.play(effectWav, PlayMode::Wait);
    --lives;
    if (lives >= 0)
        Pics(lives)->hide();
    if (lives <= 0)
        GameOver();
}
