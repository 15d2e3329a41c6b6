#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

class QThread;

// Reading the system's font configuration (fontconfig parses dozens of XML
// files and lists every font) and choosing the fonts that stand in for the
// game's song font take longer than building the whole window. They run on a
// thread of their own from right after the application object exists, and the
// first frame shows the room without waiting for them: the few labels with
// text are painted as soon as the fonts are read, a moment later. Waited for
// when it goes: the database must not be filled while the application object
// is destroyed.
class FontWarmUp : public QObject
{
public:
    FontWarmUp();
    ~FontWarmUp() override;

    // The widget's background is painted at once, its text once the fonts are read.
    void holdTextOf(QWidget &widget);
    bool ready() const { return fontsRead; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void release();

    std::unique_ptr<QThread> worker;
    QList<QPointer<QWidget>> held;
    bool fontsRead = false;
};
