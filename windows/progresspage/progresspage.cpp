#include "progresspage/progresspage.h"

#include "catalogue/catalogue.h"
#include "children/childlist.h"
#include "progress/progressreader.h"
#include "progresspage/classtable.h"
#include "progresspage/daychartloader.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int chartWeeks = 4;

// What the recorder is doing, in words a parent reads at a glance.
QString recorderText(const RecorderStatus &status)
{
    if (!status.reason.isEmpty())
        return status.reason;
    if (!status.recording)
        return QStringLiteral("这次没有记录答题。");
    return QStringLiteral("每一次答题都记下来了，只存在这台电脑上。");
}

// A bar for the first-try rate: red while most first picks miss, orange
// on the way, green once the word is known.
QProgressBar *rateBar(const WordStat &word, QWidget *parent)
{
    auto *bar = new QProgressBar(parent);
    const int percent = word.asked > 0 ? (200 * word.firstTryRight + word.asked) / (2 * word.asked) : 0;
    bar->setRange(0, 100);
    bar->setValue(percent);
    bar->setFormat(QStringLiteral("%1%").arg(percent));
    const char *colour = percent < 50 ? "#e05a4a" : percent < 80 ? "#f0a030" : "#4caf50";
    // A pale red behind the hardest words, so that even 0 % has a colour.
    const char *ground = percent < 50 ? "#fbe3df" : "white";
    bar->setStyleSheet(QStringLiteral("QProgressBar { border: 1px solid #c8c8d8; border-radius: 3px; "
                                      "text-align: center; background: %2; }"
                                      "QProgressBar::chunk { background: %1; }")
                           .arg(QLatin1String(colour), QLatin1String(ground)));
    return bar;
}

} // namespace

ProgressPage::ProgressPage(const AnswerRecorder &answerRecorder, const WordSets &wordSets, int child, QWidget *parent)
    : QWidget(parent)
    , recorder(answerRecorder)
    , sets(wordSets)
    , playing(child)
{
}

void ProgressPage::showEvent(QShowEvent *event)
{
    if (!built)
        build();
    else
        followChildren();
    QWidget::showEvent(event);
}

// Shown again: children may have come or gone on the corner's children page
// meanwhile. The pick stays where it can.
void ProgressPage::followChildren()
{
    const QVariant picked = childChoice->currentData();
    fillChildChoice();
    const QSignalBlocker quiet(childChoice);
    if (const int at = childChoice->findData(picked); at >= 0)
        childChoice->setCurrentIndex(at);
    refresh();
}

void ProgressPage::build()
{
    built = true;
    status = new QLabel(this);
    status->setWordWrap(true);
    childChoice = new QComboBox(this);
    setChoice = new QComboBox(this);
    for (const WordSets::Set &set : sets.all())
        setChoice->addItem(set->chineseName(), set->id());
    wordTable = new QTableWidget(0, 4, this);
    wordTable->setHorizontalHeaderLabels(
        {QStringLiteral("词语"), QStringLiteral("意思"), QStringLiteral("第一次就选对"), QStringLiteral("问过")});
    wordTable->verticalHeader()->hide();
    wordTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    wordTable->setSelectionMode(QAbstractItemView::NoSelection);
    wordTable->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    wordTable->setColumnWidth(0, 80);
    wordTable->setColumnWidth(1, 60); // leaves the rate its header beside a scroll bar
    wordTable->setColumnWidth(3, 44);
    classTable = new ClassTable(this);
    daysSummary = new QLabel(this);
    result = new QLabel(this);
    result->setTextFormat(Qt::PlainText); // the name of a file is shown as it is
    auto *exportButton = new QPushButton(QStringLiteral("导出 CSV 表格…"), this);
    auto *forgetButton = new QPushButton(QStringLiteral("全部忘记…"), this);
    connect(exportButton, &QPushButton::clicked, this, &ProgressPage::exportAsked);
    connect(forgetButton, &QPushButton::clicked, this, &ProgressPage::forgetAsked);

    auto *words = new QVBoxLayout;
    auto *choice = new QHBoxLayout;
    choice->addWidget(new QLabel(QStringLiteral("词语组："), this));
    choice->addWidget(setChoice, 1);
    words->addLayout(choice);
    words->addWidget(wordTable);
    daysColumn = new QVBoxLayout;
    daysColumn->addWidget(daysSummary);
    daysColumn->addStretch();
    auto *oneChild = new QWidget(this);
    auto *middle = new QHBoxLayout(oneChild);
    middle->setContentsMargins(0, 0, 0, 0);
    middle->addLayout(words, 5);
    middle->addLayout(daysColumn, 6);
    views = new QStackedWidget(this);
    views->addWidget(oneChild);
    views->addWidget(classTable);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(exportButton);
    buttons->addWidget(forgetButton);
    buttons->addWidget(result, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(status);
    auto *childRow = new QWidget(this);
    auto *childLine = new QHBoxLayout(childRow);
    childLine->setContentsMargins(0, 0, 0, 0);
    childLine->addWidget(new QLabel(QStringLiteral("孩子："), childRow));
    childLine->addWidget(childChoice);
    childLine->addStretch();
    childChoice->setParent(childRow);
    childChoice->setMinimumWidth(180);
    childChoice->setIconSize(QSize(24, 24));
    layout->addWidget(childRow);
    layout->addWidget(views, 1);
    layout->addLayout(buttons);
    fillChildChoice();
    pickPlayedSet();
    connect(setChoice, &QComboBox::currentIndexChanged, this, &ProgressPage::showWords);
    connect(childChoice, &QComboBox::currentIndexChanged, this, [this] {
        pickPlayedSet();
        refresh();
    });
    refresh();
}

// Each child, then the answers of no one who plays now, then the class; the
// child who plays first. Without children the page is one child's, no one's.
void ProgressPage::fillChildChoice()
{
    const ChildList children;
    const QList<int> withGames = ProgressReader().childrenWithGames();
    formerIds.clear();
    for (const Child &former : children.former())
        formerIds.append(former.id);
    const QSignalBlocker quiet(childChoice);
    childChoice->clear();
    for (const Child &child : children.children())
        childChoice->addItem(QIcon(catalogue::loadPicture(child.picture)), child.name, child.id);
    if (!children.isEmpty()) {
        if (std::any_of(formerIds.cbegin(), formerIds.cend(), [&](int id) { return withGames.contains(id); }))
            childChoice->addItem(QStringLiteral("以前的孩子"), formerChildren);
        if (withGames.contains(ChildList::noChild))
            childChoice->addItem(QStringLiteral("没有选孩子"), ChildList::noChild);
        childChoice->addItem(QStringLiteral("全班"), wholeClass);
    }
    childChoice->setCurrentIndex(std::max(0, childChoice->findData(playing)));
    childChoice->parentWidget()->setHidden(children.isEmpty());
}

QList<int> ProgressPage::pickedChildren() const
{
    if (childChoice->count() == 0)
        return {ChildList::noChild};
    const int picked = childChoice->currentData().toInt();
    return picked == formerChildren ? formerIds : QList<int>{picked};
}

// The first set the child has played, rather than an empty list.
void ProgressPage::pickPlayedSet()
{
    ProgressReader reader;
    for (int set = 0; set < setChoice->count(); ++set)
        if (!reader.wordStats(setChoice->itemData(set).toString(), pickedChildren()).isEmpty()) {
            setChoice->setCurrentIndex(set);
            break;
        }
}

void ProgressPage::refresh()
{
    ProgressReader reader;
    const bool readable = reader.state() == ProgressConnection::State::Ready
                          || reader.state() == ProgressConnection::State::Missing;
    status->setText(readable ? recorderText(recorder.status())
                             : QStringLiteral("读不出进度记录：%1").arg(reader.error()));
    if (childChoice->currentData().toInt() == wholeClass) {
        classTable->refresh();
        views->setCurrentWidget(classTable);
        return;
    }
    views->setCurrentIndex(0);
    showWords();

    const QList<DayStat> days = reader.days(pickedChildren(), chartWeeks);
    int games = 0;
    for (const DayStat &day : days)
        games += day.games;
    daysSummary->setText(days.isEmpty() ? QStringLiteral("最近四个星期还没有玩过。")
                                        : QStringLiteral("最近四个星期玩了 %1 天，一共 %2 局。")
                                              .arg(days.size())
                                              .arg(games));
    delete chart;
    chart = days.isEmpty() ? nullptr : loadDayChart(days, this);
    if (chart)
        daysColumn->insertWidget(1, chart, 1);
}

void ProgressPage::showWords()
{
    wordTable->setRowCount(0);
    const QString setId = setChoice->currentData().toString();
    const QList<WordStat> words = ProgressReader().wordStats(setId, pickedChildren());
    // A word the set no longer holds (an own set edited since) has no meaning to show.
    const WordSets::Set set = sets.find(setId);
    const QStringList setWords = set ? set->words() : QStringList();
    wordTable->setRowCount(int(words.size()));
    for (int row = 0; row < words.size(); ++row) {
        wordTable->setItem(row, 0, new QTableWidgetItem(words[row].word));
        const qsizetype index = setWords.indexOf(words[row].word);
        wordTable->setItem(row, 1, new QTableWidgetItem(index < 0 ? QString() : set->meaning(int(index))));
        wordTable->setCellWidget(row, 2, rateBar(words[row], wordTable));
        auto *asked = new QTableWidgetItem(QString::number(words[row].asked));
        asked->setTextAlignment(Qt::AlignCenter);
        wordTable->setItem(row, 3, asked);
    }
}

bool ProgressPage::exportTo(const QString &path)
{
    ProgressReader reader;
    const bool done = reader.exportCsvFile(path, ChildList().names());
    result->setText(done ? QStringLiteral("已导出到 %1").arg(QDir::toNativeSeparators(path))
                         : QStringLiteral("没能导出：%1").arg(reader.error()));
    return done;
}

bool ProgressPage::forgetAll()
{
    ProgressReader reader;
    return forgotten(reader.forgetAll(), QStringLiteral("所有的答题记录都忘记了。"), reader.error());
}

bool ProgressPage::forgetPicked()
{
    ProgressReader reader;
    return forgotten(reader.forget(pickedChildren()),
                     QStringLiteral("%1的答题记录都忘记了。").arg(childChoice->currentText()), reader.error());
}

bool ProgressPage::forgotten(bool done, const QString &what, const QString &error)
{
    if (!built) // forgotten before the page was ever shown
        build();
    result->setText(done ? what : QStringLiteral("没能忘记：%1").arg(error));
    fillChildChoice();
    refresh();
    if (done)
        emit forgot();
    return done;
}

void ProgressPage::exportAsked()
{
    // The dialog asks before it replaces a file; the export then replaces it whole or not at all.
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("导出答题记录"), QDir::home().filePath(QStringLiteral("wordnest-progress.csv")),
        QStringLiteral("CSV 表格 (*.csv)"));
    if (!path.isEmpty())
        exportTo(path);
}

// With children: the one picked at the top, or everyone.
void ProgressPage::forgetAsked()
{
    const bool onePicked = childChoice->count() > 0 && childChoice->currentData().toInt() != wholeClass;
    QMessageBox ask(QMessageBox::Question, QStringLiteral("全部忘记"),
                    onePicked ? QStringLiteral("要删掉“%1”的答题记录，还是所有孩子的？删掉以后就找不回来了。排行榜不受影响。")
                                    .arg(childChoice->currentText())
                              : QStringLiteral("要删掉所有的答题记录吗？删掉以后就找不回来了。排行榜不受影响。"),
                    QMessageBox::NoButton, this);
    ask.setTextFormat(Qt::PlainText); // a child's name is shown as typed
    QPushButton *one = onePicked ? ask.addButton(QStringLiteral("只删“%1”的").arg(childChoice->currentText()),
                                                 QMessageBox::DestructiveRole)
                                 : nullptr;
    QPushButton *all = ask.addButton(onePicked ? QStringLiteral("所有孩子的都删掉") : QStringLiteral("全部删掉"),
                                     QMessageBox::DestructiveRole);
    ask.setDefaultButton(ask.addButton(QStringLiteral("不删"), QMessageBox::RejectRole));
    ask.exec();
    if (ask.clickedButton() == all)
        forgetAll();
    else if (one && ask.clickedButton() == one)
        forgetPicked();
}
