// The time to lay out a round (pictures loaded from the catalogue included)
// and the memory the game holds after 10 rounds against after 10,000.
#include "forms/form2.h"
#include "memory.h"
#include "silentplayer.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

void newRound(benchmark::State &state)
{
    SilentPlayer player;
    Form2 window(player);
    window.PicB_Click();
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 1; i <= 9; ++i)
            window.LabelP.unload(i); // what the callers do before every round
        state.ResumeTiming();
        window.rules().NewRound();
    }
}
BENCHMARK(newRound)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// Each round as the game makes it: the pause ends and the next is laid out.
void playRounds(Form2 &window, int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        window.rules().pauseTicks = 5;
        window.Timer2_Timer();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    SilentPlayer player;
    Form2 window(player);
    window.PicB_Click();
    playRounds(window, 10);
    const long afterTen = residentKb();
    playRounds(window, 9990);
    const long afterTenThousand = residentKb();
    std::printf("resident memory: %ld kB after 10 rounds, %ld kB after 10,000 (growth %ld kB)\n",
                afterTen, afterTenThousand, afterTenThousand - afterTen);
    return 0;
}
