#include "progresspage/daychartloader.h"

#include "progresspage/daychart.h"

#include <QCoreApplication>
#include <QLibrary>

QWidget *loadDayChart(const QList<DayStat> &days, QWidget *parent)
{
    // Loaded once and kept to the end: the chart's code must outlive every chart.
    static DayChartMaker make = [] {
        for (const QString &folder : {QCoreApplication::applicationDirPath(), QStringLiteral(WORDNEST_MODULE_DIR)}) {
            QLibrary module(folder + QStringLiteral("/wordnest-daychart"));
            if (auto found = reinterpret_cast<DayChartMaker>(module.resolve("wordnestDayChart")))
                return found;
        }
        return DayChartMaker(nullptr);
    }();
    return make ? make(days, parent) : nullptr;
}
