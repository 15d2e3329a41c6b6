// A simulated game of 200 rounds played through the handlers: the median
// time to handle a right and a wrong pick (with sounds that return at once),
// and the memory at the end against the start.
#include "forms/form2.h"
#include "forms/form3.h"
#include "memory.h"
#include "silentplayer.h"

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double medianMicroseconds(std::vector<Clock::duration> times)
{
    std::sort(times.begin(), times.end());
    return std::chrono::duration<double, std::micro>(times[times.size() / 2]).count();
}

template <class Handler>
void timed(std::vector<Clock::duration> &into, Handler handler)
{
    const auto start = Clock::now();
    handler();
    into.push_back(Clock::now() - start);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir boardFolder;
    SilentPlayer player;
    Form2 window(player);
    window.sPath = boardFolder.path() + QLatin1Char('/');
    window.PicB_Click();
    const long atStart = residentKb();
    long afterWarmUp = 0; // every room and most pictures have been seen once

    std::vector<Clock::duration> finds, misses;
    for (int round = 0; round < 200; ++round) {
        while (window.Timer1.isActive()) {
            const qint16 asked = window.rules().qOrder[size_t(window.rules().qNum)];
            // A few wrong picks and ticks on the way, as a child makes them.
            if (window.rules().qNum % 3 == 0) {
                timed(misses, [&] { window.Labelp_Click(qint16((asked + 1) % 10)); });
                window.rules().lives = 5; // keep the game going for the whole run
            }
            for (int tick = 0; tick < window.rules().qNum; ++tick)
                window.Timer1_Timer();
            timed(finds, [&] { window.Labelp_Click(asked); });
        }
        for (int tick = 0; tick < 6; ++tick)
            window.Timer2_Timer();
        if (round == 49)
            afterWarmUp = residentKb();
    }
    const long atEnd = residentKb();

    std::printf("200 rounds: %zu right picks, median %.1f us; %zu wrong picks, median %.1f us (goal < 200 us)\n",
                finds.size(), medianMicroseconds(finds), misses.size(), medianMicroseconds(misses));
    // Qt keeps recently loaded pictures in its pixmap cache (10 MB at most),
    // so memory climbs over the first rounds and then stays.
    std::printf("resident memory: %ld kB at the start, %ld kB after 50 rounds, %ld kB after 200 "
                "(growth over the last 150: %ld kB); level reached %d\n",
                atStart, afterWarmUp, atEnd, atEnd - afterWarmUp, window.rules().level + 1);
    return 0;
}
