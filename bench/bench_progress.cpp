// What the progress record costs the game: how long the recorder's calls hold
// up the calling (UI) thread while the writer thread commits, checkpoints
// included; how long until a question is written; opening the grown record
// and the progress page's queries on it.
#include "progress/progressreader.h"
#include "progress/sqliterecorder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

static void report(const char *what, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-48s median %.3f ms, 99%% %.3f ms, worst %.3f ms over %zu\n", what, ms[ms.size() / 2],
                ms[ms.size() * 99 / 100], ms.back(), ms.size());
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.path() + "/progress.sqlite";
    constexpr int games = 600, questions = 30;
    std::vector<double> calls, written;
    QElapsedTimer clock;
    {
        SqliteRecorder recorder(path);
        for (int game = 0; game < games; ++game) {
            recorder.gameStarted({"1"});
            for (int q = 0; q < questions; ++q) {
                const QuestionResult question{"1", QString("word%1").arg(q % 20), q % 4, q % 3 > 0, q % 3, q % 2, 900};
                clock.start();
                recorder.questionEnded(question);
                calls.push_back(clock.nsecsElapsed() / 1e6);
                if (game % 2 == 0)  // else the next calls meet the writer at work, as in the game
                    recorder.waitForWrites(), written.push_back(clock.nsecsElapsed() / 1e6);
            }
            recorder.gameEnded(game, 3);
        }
    }
    report("questionEnded() on the calling thread", calls);
    report("questionEnded() until written", written);
    clock.start();
    SqliteRecorder(path).waitForWrites();
    std::printf("opening a record of %d questions: %.1f ms\n", games * questions, clock.nsecsElapsed() / 1e6);
    clock.start();
    ProgressReader reader(path);
    reader.wordStats("1", {0}), reader.days({0}, 8), reader.trickyWords({0});
    std::printf("the progress page's queries: %.1f ms\n", clock.nsecsElapsed() / 1e6);
}
