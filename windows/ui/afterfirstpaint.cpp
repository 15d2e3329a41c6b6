#include "ui/afterfirstpaint.h"

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int settleMs = 50;

class FirstPaintWatch : public QObject
{
public:
    FirstPaintWatch(QWidget &widget, std::function<void()> work)
        : QObject(&widget), work(std::move(work))
    {
        widget.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(settleMs, this, [this] {
                work();
                deleteLater();
            });
        }
        return false;
    }

private:
    std::function<void()> work;
};

} // namespace

void afterFirstPaint(QWidget &widget, std::function<void()> work)
{
    new FirstPaintWatch(widget, std::move(work));
}
