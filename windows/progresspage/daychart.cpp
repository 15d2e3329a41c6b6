#include "progresspage/daychart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

QWidget *wordnestDayChart(const QList<DayStat> &days, QWidget *parent)
{
    auto *games = new QBarSet(QStringLiteral("玩了几局"));
    games->setColor(QColor(0x8c, 0xb4, 0xe8));
    auto *rate = new QLineSeries;
    rate->setName(QStringLiteral("第一次就选对（%）"));
    rate->setPen(QPen(QColor(0xe0, 0x80, 0x00), 3));
    rate->setPointsVisible(true);
    // A few days are named by month and day; more by the day alone, the months
    // under the axis, in a smaller type, so that every bar keeps its number.
    // Four weeks never hold one day of the month twice.
    const bool manyDays = days.size() > 7;
    QStringList labels;
    int most = 1;
    for (const DayStat &day : days) {
        labels << day.day.toString(manyDays ? QStringLiteral("d") : QStringLiteral("M/d"));
        *games << day.games;
        most = std::max(most, day.games);
        if (day.questions > 0)
            rate->append(labels.size() - 1, 100.0 * day.firstTryRight / day.questions);
    }
    auto *bars = new QBarSeries;
    bars->append(games);

    auto *chart = new QChart;
    chart->addSeries(bars);
    chart->addSeries(rate);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto *dates = new QBarCategoryAxis;
    dates->append(labels);
    if (manyDays) {
        const int first = days.first().day.month(), last = days.last().day.month();
        dates->setTitleText(first == last ? QStringLiteral("%1月").arg(first) : QStringLiteral("%1月–%2月").arg(first).arg(last));
        QFont small = dates->labelsFont();
        small.setPointSizeF(small.pointSizeF() * 0.8);
        dates->setLabelsFont(small);
    }
    // Both scales in quarters, so that their grid lines are one and the
    // games stay whole numbers.
    auto *count = new QValueAxis;
    count->setRange(0, (most + 3) / 4 * 4);
    count->setTickCount(5);
    count->setLabelFormat(QStringLiteral("%d"));
    auto *percent = new QValueAxis;
    percent->setRange(0, 100);
    percent->setTickCount(5);
    percent->setLabelFormat(QStringLiteral("%d%%"));
    chart->addAxis(dates, Qt::AlignBottom);
    chart->addAxis(count, Qt::AlignLeft);
    chart->addAxis(percent, Qt::AlignRight);
    bars->attachAxis(dates);
    bars->attachAxis(count);
    rate->attachAxis(dates);
    rate->attachAxis(percent);

    auto *view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}
