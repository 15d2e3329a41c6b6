#include "progresspage/classtable.h"

#include "catalogue/catalogue.h"
#include "children/childlist.h"
#include "progress/progressreader.h"
#include "rules/rememberedpace.h"

#include <QHeaderView>
#include <QIcon>

namespace {

QString paceText(Pace pace)
{
    switch (pace) {
    case Pace::Slower: return QStringLiteral("慢一点");
    case Pace::Untimed: return QStringLiteral("不限时");
    default: return QStringLiteral("标准");
    }
}

QTableWidgetItem *numberItem(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

} // namespace

ClassTable::ClassTable(QWidget *parent)
    : QTableWidget(0, 6, parent)
{
    setHorizontalHeaderLabels({QStringLiteral("孩子"), QStringLiteral("玩了几局"), QStringLiteral("问了几个词"),
                               QStringLiteral("第一次就对"), QStringLiteral("速度"), QStringLiteral("最难的词")});
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    horizontalHeader()->setMinimumSectionSize(64);
    setIconSize(QSize(24, 24));
    horizontalHeader()->setSectionResizeMode(5, QHeaderView::Stretch);
    setWordWrap(false);
}

void ClassTable::refresh()
{
    const QList<Child> children = ChildList().children();
    QList<int> ids;
    for (const Child &child : children)
        ids.append(child.id);
    const QList<ChildSummary> summaries = ProgressReader().classSummary(ids);
    setRowCount(int(children.size()));
    for (int row = 0; row < children.size() && row < summaries.size(); ++row) {
        const ChildSummary &child = summaries[row];
        setItem(row, 0, new QTableWidgetItem(QIcon(catalogue::loadPicture(children[row].picture)), children[row].name));
        setItem(row, 1, numberItem(QString::number(child.games)));
        setItem(row, 2, numberItem(QString::number(child.asked)));
        setItem(row, 3, numberItem(child.asked ? QStringLiteral("%1%").arg(qRound(100.0 * child.firstTryRight / child.asked))
                                               : QStringLiteral("—")));
        // The pace they play at now, as the word sets page sets it; the record
        // keeps each game's own.
        setItem(row, 4, numberItem(paceText(rememberedPace(child.child))));
        auto *hardest = new QTableWidgetItem(child.hardest.join(QStringLiteral("、")));
        hardest->setToolTip(hardest->text());  // the whole list where the column is too narrow
        setItem(row, 5, hardest);
    }
}
