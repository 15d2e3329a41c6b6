#include "ui/fontwarmup.h"

#include "catalogue/songfont.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QThread>

#include <sys/resource.h>

// Qt's font database may be used from any thread, and what it learns there
// (the fonts, which ones stand in for a family) serves every thread. The font
// engines themselves belong to each thread, so the paint still opens its own.
FontWarmUp::FontWarmUp()
    : worker(QThread::create([] {
        // Only what the window's own building leaves over: on Linux a
        // thread has a nice value of its own.
        setpriority(PRIO_PROCESS, 0, 19);
        QFontDatabase::families();
        QFontMetricsF(songFont(10.5)).horizontalAdvance(QLatin1Char('0'));
    }))
{
    connect(worker.get(), &QThread::finished, this, &FontWarmUp::release);
    worker->start();
}

FontWarmUp::~FontWarmUp()
{
    worker->wait();
}

void FontWarmUp::holdTextOf(QWidget &widget)
{
    if (fontsRead)
        return;
    held.append(&widget);
    widget.installEventFilter(this);
}

// An auto-filled background is drawn before the paint event, so the held
// widget shows its colour, just not its text yet.
bool FontWarmUp::eventFilter(QObject *watched, QEvent *event)
{
    return event->type() == QEvent::Paint && !fontsRead ? true : QObject::eventFilter(watched, event);
}

void FontWarmUp::release()
{
    fontsRead = true;
    for (const QPointer<QWidget> &widget : std::as_const(held))
        if (widget) {
            widget->removeEventFilter(this);
            widget->update();
        }
    held.clear();
}
