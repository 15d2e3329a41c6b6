// The corner's opening with many own sets: from the window asked for to its
// first frame (every set's name shown) and to every tile's pictures painted,
// with the peak memory. Reads the sets of $XDG_DATA_HOME and the picture
// cache of $XDG_CACHE_HOME as they are; bench/corner-photos.sh makes them.
//   bench_corner [OPENINGS]
#include "children/childlist.h"
#include "corner/cornerwindow.h"
#include "corner/grownupcheck.h"
#include "corner/wordsetspage.h"
#include "corner/wordsettile.h"
#include "ownsets/picturecache.h"
#include "ownsets/setsondisk.h"
#include "progress/answerrecorder.h"
#include "memory.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// Notes the paints of every widget of the program.
struct PaintWatch : QObject
{
    bool eventFilter(QObject *, QEvent *event) override
    {
        painted = painted || event->type() == QEvent::Paint;
        return false;
    }
    bool painted = false;
};

void waitForPaint(PaintWatch &watch)
{
    watch.painted = false;
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const int openings = argc > 1 ? std::atoi(argv[1]) : 3;
    PaintWatch watch;
    application.installEventFilter(&watch);
    NoRecorder noRecord;
    for (int opening = 1; opening <= openings; ++opening) {
        const int decodedBefore = ownsets::picturesDecoded();
        QElapsedTimer clock;
        clock.start();
        allWordSets();
        const double listing = double(clock.nsecsElapsed()) / 1e6;
        clock.restart();
        // As the corner button opens it: the sets listed, then the window built.
        auto *corner = new CornerWindow(allWordSets(), QStringLiteral("1"), ChildList::noChild, noRecord);
        emit corner->check->passed();
        const double built = double(clock.nsecsElapsed()) / 1e6;
        corner->show();
        waitForPaint(watch);
        const double firstFrame = double(clock.nsecsElapsed()) / 1e6;
        const QList<WordSetTile *> &tiles = corner->wordSetsPage->tiles();
        const auto allThere = [&tiles] {
            return std::all_of(tiles.begin(), tiles.end(), [](const WordSetTile *t) { return t->picturesArrived(); });
        };
        while (!allThere())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        // Tiles cut off by the window's edge paint nothing by themselves.
        corner->repaint();
        const double allPainted = double(clock.nsecsElapsed()) / 1e6;
        std::printf("opening %d: listing the sets alone %.1f ms; %lld tiles, window built %.1f ms, first frame %.1f ms, "
                    "every picture painted %.1f ms, "
                    "%d originals decoded, peak %.1f MB\n",
                    opening, listing, static_cast<long long>(tiles.size()), built, firstFrame, allPainted,
                    ownsets::picturesDecoded() - decodedBefore, double(peakResidentKb()) / 1024);
        std::fflush(stdout);
        delete corner;
    }
    return 0;
}
