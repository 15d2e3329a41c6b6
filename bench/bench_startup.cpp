// Start-up of the game against a bare Qt window showing the same room: the
// time from starting the process to its first paint, and the peak resident
// memory. Both programs run alternately, many times; medians are reported.
#include <QCoreApplication>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

long long monotonicMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}

struct Sample
{
    double milliseconds = 0;
    double peakMb = 0;
};

bool runProbe(const char *mode, Sample &sample)
{
    QProcess probe;
    const long long started = monotonicMicroseconds();
    probe.start(QStringLiteral(PROBE_PATH), {QString::fromLatin1(mode)});
    if (!probe.waitForFinished(20000))
        return false;
    for (const QByteArray &line : probe.readAllStandardOutput().split('\n')) {
        if (line.startsWith("painted "))
            sample.milliseconds = double(line.mid(8).toLongLong() - started) / 1000.0;
        else if (line.startsWith("peak "))
            sample.peakMb = line.mid(5).toDouble() / 1024.0;
    }
    return sample.milliseconds > 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 21;
    std::vector<double> gameTimes, bareTimes, gamePeaks, barePeaks;
    for (int run = 0; run < runs; ++run) {
        Sample game, bare;
        if (!runProbe("game", game) || !runProbe("bare", bare)) {
            std::fprintf(stderr, "the probe did not paint; is there a display (or QT_QPA_PLATFORM=offscreen)?\n");
            return 1;
        }
        gameTimes.push_back(game.milliseconds);
        bareTimes.push_back(bare.milliseconds);
        gamePeaks.push_back(game.peakMb);
        barePeaks.push_back(bare.peakMb);
    }
    const double game = median(gameTimes), bare = median(bareTimes);
    std::printf("first paint, median of %d: game %.1f ms, bare window %.1f ms, ratio %.2f (goal <= 1.30)\n",
                runs, game, bare, game / bare);
    std::printf("peak resident memory, median: game %.1f MB, bare window %.1f MB (goal < 40 MB)\n",
                median(gamePeaks), median(barePeaks));
    return 0;
}
