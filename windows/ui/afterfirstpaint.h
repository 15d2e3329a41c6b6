#pragma once

#include <functional>

class QWidget;

// Runs work once, a moment after the widget's first paint: what the first
// frame does not show should not hold it up. Not at the next turn of the
// event loop, where the frame may still wait in the window system's buffer.
void afterFirstPaint(QWidget &widget, std::function<void()> work);
