// The time to repaint the whole full-screen game, mid-question, at 1920 x 1080
// and at 3840 x 2160 (Qt's offscreen platform): the room, ten word pictures,
// the panel and the bands, everything drawn from the art for its scale. The
// first paint at a scale, which resamples the art, is measured on its own.
#include "forms/form2.h"
#include "ui/fullscreenview.h"
#include "silentplayer.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

// Counts the paints, so that a run that painted nothing shows.
struct PaintCounter : QObject
{
    bool eventFilter(QObject *, QEvent *event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
    int count = 0;
};

// The game full screen on a screen of the given size, mid-question.
struct FullScreenGame
{
    explicit FullScreenGame(QSize screen)
        : window(player)
    {
        window.companionStack().setFullScreen(true);
        FullScreenView &view = window.companionStack().fullScreenView();
        // The offscreen screen has a size of its own; this one is the goal's.
        view.setWindowState(Qt::WindowNoState);
        view.resize(screen);
        window.PicB_Click();
        // Shown and exposed before the first paint is timed.
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
        view.viewport()->installEventFilter(&paints);
    }
    void repaint() { window.companionStack().fullScreenView().viewport()->repaint(); }

    SilentPlayer player;
    Form2 window;
    PaintCounter paints;
};

void repaintFullScreen(benchmark::State &state)
{
    FullScreenGame game(QSize(int(state.range(0)), int(state.range(1))));
    game.repaint(); // the art resampled for this scale once
    for (auto _ : state)
        game.repaint();
    state.counters["paints"] = game.paints.count;
}
BENCHMARK(repaintFullScreen)->Args({1920, 1080})->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

void firstPaintAtAScale(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        FullScreenGame game(QSize(int(state.range(0)), int(state.range(1))));
        state.ResumeTiming();
        game.repaint();
    }
}
BENCHMARK(firstPaintAtAScale)->Args({1920, 1080})->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
