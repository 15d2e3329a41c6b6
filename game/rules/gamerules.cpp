#include "rules/gamerules.h"

#include "catalogue/catalogue.h"
#include "sound/recording.h"
#include "catalogue/textnumber.h"

#include <QStringList>

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

using Clock = GameView::Clock;
} // namespace

GameRules::GameRules(GameView &gameView, SoundPlayer &soundPlayer, AnswerRecorder &answerRecorder, QObject *parent)
    : QObject(parent)
    , view(gameView)
    , player(soundPlayer)
    , recorder(answerRecorder)
    , random(std::make_unique<ClockRandomSource>())
{
}

GameRules::~GameRules()
{
    // A sound may still be reading wordWav or effectWav.
    player.stop();
}

void GameRules::setRandomSource(std::unique_ptr<RandomSource> source)
{
    random = std::move(source);
}

void GameRules::chooseWordSet(WordSets::Set set)
{
    if (set)
        nextWords = std::move(set);
}

void GameRules::Form_Load()
{
    gameOn = false;
    level = 0;
    score = 0;
    levelScore = 0;
    picCount = 0;
    pauseTicks = 0;
    lives = 5;
    qNum = 0;
    wordSet = 1;
    playingWords = nextWords = WordSets().standard();

    // From here on a step that fails is skipped and start-up goes on.
    for (int room = 0; room < 4; ++room) {
        const QString placement = catalogue::loadString(catalogue::FacePlacement + room);
        const qsizetype first = placement.indexOf(u',');
        if (first < 0)
            continue;
        if (auto x = parseInt16(QStringView(placement).left(first)))
            faceX[size_t(room)] = *x;
        const QStringView rest = QStringView(placement).mid(first + 1);
        if (auto y = parseInt16(rest.left(rest.indexOf(u','))))
            faceY[size_t(room)] = *y;
    }
    view.setRoom(catalogue::RoomPicture + level);
    view.moveFace(faceX[size_t(level)], faceY[size_t(level)]);
}

// The start button; a running game cannot be restarted.
void GameRules::PicB_Click()
{
    if (gameOn)
        return;
    List1_Click();
    view.setHintShown(true);
    gameOn = true;
    view.setGameRunning(true);
}

// Sets up a new game and lays out its first round.
void GameRules::List1_Click()
{
    // A set chosen since the last game takes over (one drawn from the record
    // is drawn again); its number picks the board.
    playingWords = WordSets::forNewGame(nextWords);
    playingPace = nextPace;
    gameChild = nextChild;
    wordSet = playingWords->boardNumber();
    view.setScoreText(QString());
    level = 0;
    score = 0;
    levelScore = 0;
    pauseTicks = 0;
    lives = 5;
    qNum = 0;
    view.setClockInterval(Clock::Question, 200);
    view.showAllBalls();
    removeRoundPictures();
    tickCount = 1;
    repeatCount = 0;
    view.setRoom(catalogue::RoomPicture + level);
    NewRound();
    recorder.gameStarted({playingWords->id(), paceName(playingPace), gameChild});
}

// Lays out a round: ten different words out of the list in two rows of five
// along the top of the room, the order of the questions drawn, and the first
// question asked.
void GameRules::NewRound()
{
    view.stopClock(Clock::Face);

    view.setFacePicture(catalogue::FacePicture + level);
    view.moveFace(faceX[size_t(level)], faceY[size_t(level)]);

    const QStringList list = playingWords->words();
    const qint16 wordCount = qint16(std::min<qsizetype>(list.size(), qsizetype(words.size())));
    for (qint16 k = 0; k < wordCount; ++k)
        words[size_t(k)] = list[k];

    ShuffleOrder(wordCount);
    std::copy_n(qOrder.begin(), wordCount, picWord.begin());

    picCount = 9;
    view.layOutRound(*playingWords, picWord.data(), picCount + 1);

    ShuffleOrder(qint16(picCount + 1));
    presentQuestion();
}

// Elements 1..picCount of the last round go before the next is laid out.
void GameRules::removeRoundPictures()
{
    if (picCount < 2)
        return;
    view.removeRoundPictures(picCount);
}

// Fills qOrder(0..n-1) with a permutation of 0..n-1. Each step takes the entry
// at a position drawn from the whole range and rotates it into place i; this
// is not a uniform shuffle, and it is meant to be exactly this one.
void GameRules::ShuffleOrder(qint16 n)
{
    n = std::clamp<qint16>(n, 0, qint16(qOrder.size()));
    for (qint16 i = 0; i < n; ++i)
        qOrder[size_t(i)] = i;
    random->reseed();

    const auto entry = [this](int position) { return qOrder.begin() + position; };
    for (int i = 0; i < n; ++i) {
        const int j = std::min(int(std::floor(random->next() * n)), n - 1);
        if (j < i)
            std::rotate(entry(j), entry(j + 1), entry(i + 1)); // entry j moves up to i
        else if (j > i)
            std::rotate(entry(i), entry(j), entry(j + 1)); // entry j moves down to i
    }
}

// Asks question qNum as the level allows: the hint picture (shown on level
// index 0, kept ready for the book on the others), the book on level index 1,
// the word written out, and, but on level index 3, the word said aloud.
void GameRules::presentQuestion()
{
    const qint16 word = picWord[size_t(qOrder[size_t(qNum)])];
    const WordKey asked = playingWords->key(word);
    tally.ask(asked.set, asked.word, level);
    view.setHintPicture(*playingWords, word);
    if (level != 0)
        view.setHintShown(false);
    view.setBookShown(level == 1);
    view.setWordText(words[size_t(word)]);
    loadRecording(player, wordWav, playingWords->recording(word));
    if (level != 3)
        Speak();
    view.startClock(Clock::Question);
}

// The helping book: shows the hint and asks the same picture again once the
// round's ten have been asked (twelve repeats at most).
void GameRules::PicHP_Click()
{
    if (pausedNow)
        return resume();
    view.setHintShown(true);
    view.setBookShown(false);
    if (repeatCount < 12) {
        qOrder[size_t(picCount + 1 + repeatCount)] = qOrder[size_t(qNum)];
        ++repeatCount;
    }
}

// The click that ends a pause only ends it: it is neither judged nor heard.
void GameRules::Labelp_Click(qint16 Index)
{
    if (pausedNow)
        return resume();
    if (Index != qOrder[size_t(qNum)]) {
        tally.wrongPick();
        loseChance();
        return;
    }

    recorder.questionEnded(tally.rightPick());
    view.startClock(Clock::Face);
    ++qNum;
    loadRecording(player, effectWav, catalogue::RightSound);
    player.play(effectWav, PlayMode::Wait);

    if (qNum < picCount + 1 + repeatCount) {
        // The next question of the round.
        view.stopClock(Clock::Question);
        score = scoreAfterFind(score, level, tickCount);
        view.setScoreText(QString::number(score));
        tickCount = 1;
        presentQuestion();
        return;
    }

    // The round is complete: no points for this find, the pictures go, the
    // level test, and the pause before the next round.
    for (int i = 0; i <= picCount; ++i)
        view.hideAnswerPicture(i);
    loadRecording(player, effectWav, catalogue::RoundSound);
    player.play(effectWav, PlayMode::Async);
    view.stopClock(Clock::Question);
    view.setHintShown(false);
    if (score - levelScore > 2000 + 500 * level) {
        level = std::min<qint16>(qint16(level + 1), 3);
        levelScore = score;
    }
    view.startClock(Clock::Pause);
}

// A wrong pick or a question left too long: the sound, one ball less, and
// the end of the game with the last one. The question stays.
void GameRules::loseChance()
{
    loadRecording(player, effectWav, catalogue::WrongSound);
    player.play(effectWav, PlayMode::Wait);
    --lives;
    if (lives >= 0)
        view.hideBall(lives);
    if (lives <= 0)
        GameOver();
}

// The question clock: 50 ticks for a question, then a chance is lost and the
// same question gets 50 more. Untimed, the count rests at 50, so the bonus
// never falls below 1000 / 50.
void GameRules::Timer1_Timer()
{
    if (pausedNow)
        return;
    if (playingPace == Pace::Untimed) {
        tickCount = std::min<qint16>(qint16(tickCount + 1), 50);
        return;
    }
    ++tickCount;
    if (tickCount > 50) {
        tickCount = 1;
        tally.timeOut();
        loseChance();
    }
}

// The pause after a round: at the sixth tick the room of the level reached
// goes up, the clock gets faster and the next round is laid out.
void GameRules::Timer2_Timer()
{
    if (pausedNow)
        return;
    ++pauseTicks;
    if (pauseTicks <= 5)
        return;
    view.stopClock(Clock::Pause);
    pauseTicks = 0;
    qNum = 0;
    removeRoundPictures();
    repeatCount = 0;
    view.setRoom(catalogue::RoomPicture + level);
    // Slower keeps the first round's clock, so each question has its 10 s.
    if (const int interval = view.clockInterval(Clock::Question); interval > 22 && playingPace != Pace::Slower)
        view.setClockInterval(Clock::Question, interval - 20);
    if (level == 0)
        view.setHintShown(true);
    NewRound();
}

// The last chance is gone: everything stops and the leaderboard takes the
// score. The rest of the state stays as it was, for the child to look at.
void GameRules::GameOver()
{
    gameOn = false;
    view.setGameRunning(false);
    for (int i = 0; i <= 9; ++i)
        view.hideAnswerPicture(i);
    view.stopClock(Clock::Face);
    view.stopClock(Clock::Question);
    view.stopClock(Clock::Pause);
    if (tally.asking())
        recorder.questionEnded(tally.cutOff());
    recorder.gameEnded(score, level);
    view.showLeaderboard(wordSet, playingWords->boardFileName(), playingWords->chineseName(), score);
}

void GameRules::pause()
{
    if (!gameOn || pausedNow)
        return;
    pausedNow = true;
    questionClockWasOn = view.clockRunning(Clock::Question);
    pauseClockWasOn = view.clockRunning(Clock::Pause);
    view.stopClock(Clock::Question);
    view.stopClock(Clock::Pause);
    tally.pause();
    view.setPausedShown(true);
}

// The clocks start a fresh period: at most one tick's time is given back.
void GameRules::resume()
{
    if (!pausedNow)
        return;
    pausedNow = false;
    view.setPausedShown(false);
    tally.resume();
    if (questionClockWasOn)
        view.startClock(Clock::Question);
    if (pauseClockWasOn)
        view.startClock(Clock::Pause);
}

// A press on the room asks for the word again, during a game only. The strip
// right of x = 445 is not part of the room.
void GameRules::Form_MouseDown(int, int, float X, float)
{
    if (pausedNow)
        return resume();
    if (X >= 445 || !gameOn)
        return;
    Speak();
}

// The room's character says the current word: its open-mouthed face goes up
// for one Timerboy period while the recording plays. Starting Timerboy again
// restarts the period, so the mouth stays open a full 800 ms from the last
// time the word began.
void GameRules::Speak()
{
    view.setFaceShown(true);
    view.startClock(Clock::Face);
    player.play(wordWav, PlayMode::Async);
}

void GameRules::TimerBoy_Timer()
{
    view.setFaceShown(false);
    view.stopClock(Clock::Face);
}
