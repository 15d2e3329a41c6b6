#pragma once

#include "progress/progressreader.h"

class QWidget;

// The chart of days from the wordnest-daychart module, found beside the
// program or where it is installed; null when the module cannot be loaded.
QWidget *loadDayChart(const QList<DayStat> &days, QWidget *parent);
