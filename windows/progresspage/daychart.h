#pragma once

#include "progress/progressreader.h"

class QWidget;

// The days played and the first-try rate of each, as a chart. It lives in a
// module of its own (wordnest-daychart), loaded when the progress page first
// shows: Qt Charts brings OpenGL with it, which the game's start should not pay for.
extern "C" Q_DECL_EXPORT QWidget *wordnestDayChart(const QList<DayStat> &days, QWidget *parent);
using DayChartMaker = QWidget *(*)(const QList<DayStat> &days, QWidget *parent);
