// Starts either the game's main window or a bare window showing the same
// room, and reports when its first paint is done and its peak memory.
// bench_startup runs it many times; it is not meant to be run by hand.
#include "forms/form2.h"
#include "catalogue/catalogue.h"
#include "sound/sdlsoundplayer.h"
#include "memory.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <memory>

namespace {

long long monotonicMicroseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}

class BareWindow : public QWidget
{
public:
    BareWindow()
        : room(catalogue::loadPicture(200))
    {
        setFixedSize(640, 450);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(0, 0, 128));
        painter.drawPixmap(0, 0, room);
    }

private:
    QPixmap room;
};

// Reports once the first paint has been handled.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !seen) {
            seen = true;
            QTimer::singleShot(0, [] {
                std::printf("painted %lld\n", monotonicMicroseconds());
                std::printf("peak %ld\n", peakResidentKb());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }
    bool seen = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool bare = argc > 1 && qstrcmp(argv[1], "bare") == 0;
    FirstPaint watcher;
    std::unique_ptr<SdlSoundPlayer> speaker;
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<BareWindow>();
    } else {
        speaker = std::make_unique<SdlSoundPlayer>();
        window = std::make_unique<Form2>(*speaker);
    }
    window->installEventFilter(&watcher);
    window->show();
    return app.exec();
}
