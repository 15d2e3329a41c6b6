#pragma once

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPoint>

class QGraphicsProxyWidget;

// The game full screen: its whole window scaled uniformly to the screen,
// centred, with navy bands beside or below it. The game's window itself is
// moved into the view's scene and back, so nothing of the game is made anew
// (its timers, sounds and state go on untouched); Qt maps every click to the
// game's own coordinates, and the game draws itself at full quality at the
// view's scale instead of being blown up from a 1x copy.
class FullScreenView : public QGraphicsView
{
    Q_OBJECT
public:
    explicit FullScreenView(QWidget &game);
    ~FullScreenView() override;

    bool isOn() const { return proxy != nullptr; }
    // Moves the game in or out; `activate` gives the keyboard to the window
    // the game is in afterwards.
    void setOn(bool on, bool activate = true);

    // How a game of size `game` fits a screen of size `screen`: the largest
    // uniform scale, unrounded, and where the game's top-left corner lands.
    struct Fit
    {
        qreal scale = 1;
        QPointF offset;
    };
    static Fit fit(const QSizeF &screen, const QSizeF &game);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget &game;
    QGraphicsScene scene;
    QGraphicsProxyWidget *proxy = nullptr;
    QPoint windowPlace;
    bool quitOnClose = true; // the game's own, while the proxy holds it
};
