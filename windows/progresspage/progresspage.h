#pragma once

#include "progress/answerrecorder.h"
#include "wordsets/wordsets.h"

#include <QWidget>

class ClassTable;
class QComboBox;
class QLabel;
class QStackedWidget;
class QTableWidget;
class QVBoxLayout;

// The corner's page for grown-ups: what the record says of one child (picked
// at the top once there are children, the one who plays first), per word set
// every word hardest first, the days played as a chart; the whole class as a
// table; the CSV export and "forget". It reads the record only when first shown.
class ProgressPage : public QWidget
{
    Q_OBJECT
public:
    // `child`: the one who plays next, shown first (ChildList::noChild for no child).
    ProgressPage(const AnswerRecorder &recorder, const WordSets &sets, int child, QWidget *parent = nullptr);

    // The picker's entries besides the children's ids.
    static constexpr int formerChildren = -1;  // every removed child whose answers were kept
    static constexpr int wholeClass = -2;

    QLabel *status = nullptr;
    QComboBox *childChoice = nullptr;  // empty and hidden while there are no children
    QComboBox *setChoice = nullptr;
    QTableWidget *wordTable = nullptr;
    ClassTable *classTable = nullptr;

    // Reads the record again and shows it.
    void refresh();
    // What the export and "forget" buttons do, once the file or the
    // confirmation is given: everyone's answers, or those picked at the top.
    bool exportTo(const QString &path);
    bool forgetAll();
    bool forgetPicked();

signals:
    // Answers were forgotten: the tricky words may be others now.
    void forgot();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void build();
    void fillChildChoice();
    void followChildren();
    QList<int> pickedChildren() const;
    void pickPlayedSet();
    void showWords();
    bool forgotten(bool done, const QString &what, const QString &error);
    void exportAsked();
    void forgetAsked();

    const AnswerRecorder &recorder;
    WordSets sets;
    int playing;
    QList<int> formerIds;
    bool built = false;
    QStackedWidget *views = nullptr;
    QLabel *daysSummary = nullptr;
    QVBoxLayout *daysColumn = nullptr;
    QWidget *chart = nullptr;
    QLabel *result = nullptr;
};
