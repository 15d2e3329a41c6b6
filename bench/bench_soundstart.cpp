// How soon a sound starts: the time from play() to the moment SDL's audio
// thread takes the first samples of it off the queue and hands them to the
// device, once with the device open and once after it was closed for
// idleness (play() then opens it again). Also the time until it takes a
// second buffer: only then has the device begun to consume the sound.
//
// The hand-over is seen from here by the queue shrinking, which works with
// every SDL driver: run it with SDL_AUDIODRIVER=disk (simulated timing, one
// buffer every 23 ms) or through a real sound server with
// bench/with-null-sink.sh (a private PulseAudio null sink).
#include "catalogue/catalogue.h"
#include "sound/sdlsoundplayer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QtEndian>

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <vector>

namespace {

struct Figures
{
    double median, low, high;
};

Figures figuresOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return {values[values.size() / 2], values.front(), values.back()};
}

// One device buffer of the player's format (512 samples, 16-bit mono).
constexpr Uint32 bufferBytes = 512 * 2;

struct Start
{
    double firstSample = -1; // ms until the first samples are handed over
    double secondBuffer = -1; // ms until a second buffer is: the device is consuming
};

// Both times from play(); -1 for what did not happen within five seconds.
Start timeToStart(SdlSoundPlayer &player, const QByteArray &wav, Uint32 soundBytes)
{
    Start start;
    QElapsedTimer clock;
    clock.start();
    if (!player.play(wav, PlayMode::Async))
        return start;
    while (clock.nsecsElapsed() < 5000000000) {
        const Uint32 taken = soundBytes - std::min(soundBytes, player.queuedBytes());
        if (taken > 0 && start.firstSample < 0)
            start.firstSample = double(clock.nsecsElapsed()) / 1e6;
        if (taken > bufferBytes) {
            start.secondBuffer = double(clock.nsecsElapsed()) / 1e6;
            break;
        }
        QThread::usleep(50);
    }
    return start;
}

void waitUntilClosed(SdlSoundPlayer &player)
{
    QElapsedTimer clock;
    clock.start();
    while (player.isDeviceOpen() && clock.elapsed() < 4 * SdlSoundPlayer::idleCloseMs) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}

void report(const char *what, const std::vector<Start> &starts, const char *goal)
{
    std::vector<double> first, second;
    for (const Start &start : starts) {
        first.push_back(start.firstSample);
        second.push_back(start.secondBuffer);
    }
    const Figures f = figuresOf(first), s = figuresOf(second);
    std::printf("  %s: first sample median %6.1f ms, %6.1f to %6.1f ms (goal %s)\n"
                "  %*s  second buffer median %6.1f ms, %6.1f to %6.1f ms\n",
                what, f.median, f.low, f.high, goal, int(strlen(what)), "", s.median, s.low, s.high);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 21;
    SdlSoundPlayer player;
    if (!player.hasDevice()) {
        std::fprintf(stderr, "no sound device (try SDL_AUDIODRIVER=disk)\n");
        return 1;
    }
    // A real word of the game: set 1's are 8-bit, so each is widened to the
    // device's 16 bits within play(), the slower of the two paths.
    const QByteArray word = catalogue::loadData(catalogue::wordMedia(0), "WAV");
    const Uint32 soundBytes = qFromLittleEndian<quint32>(word.constData() + 40) * 16
                              / qFromLittleEndian<quint16>(word.constData() + 34);

    std::vector<Start> closed, open;
    for (int run = 0; run < runs; ++run) {
        player.stop();
        waitUntilClosed(player);
        if (player.isDeviceOpen()) {
            std::fprintf(stderr, "the device was not closed for idleness\n");
            return 1;
        }
        closed.push_back(timeToStart(player, word, soundBytes));
        // Open: the device has run a while, and the word is cut off by the
        // next one at some point of the device's rhythm, as a child's quick
        // clicks on the room do. Well within the idle time after the word.
        QThread::usleep(unsigned(2200000 + (run * 7) % 23 * 1000));
        open.push_back(timeToStart(player, word, soundBytes));
    }
    for (const auto *starts : {&closed, &open})
        for (const Start &start : *starts)
            if (start.firstSample < 0 || start.secondBuffer < 0) {
                std::fprintf(stderr, "a sound did not start within five seconds\n");
                return 1;
            }
    std::printf("driver %s, %d runs, from play() to the device taking the sound:\n", SDL_GetCurrentAudioDriver(), runs);
    report("device open  ", open, "under 25 ms");
    report("device closed", closed, "under 60 ms");
    return 0;
}
