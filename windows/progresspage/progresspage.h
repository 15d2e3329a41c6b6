#pragma once

#include "progress/answerrecorder.h"
#include "wordsets/wordsets.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QTableWidget;
class QVBoxLayout;

// The corner's page for grown-ups: what the record says of the child, per
// word set every word hardest first, the days played as a chart, the CSV
// export and "forget all". It reads the record only when first shown.
class ProgressPage : public QWidget
{
    Q_OBJECT
public:
    ProgressPage(const AnswerRecorder &recorder, const WordSets &sets, QWidget *parent = nullptr);

    QLabel *status = nullptr;
    QComboBox *setChoice = nullptr;
    QTableWidget *wordTable = nullptr;

    // Reads the record again and shows it.
    void refresh();
    // What the export and "forget all" buttons do, once the file or the
    // confirmation is given.
    bool exportTo(const QString &path);
    bool forgetAll();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void build();
    void showWords();
    void exportAsked();
    void forgetAsked();

    const AnswerRecorder &recorder;
    WordSets sets;
    bool built = false;
    QLabel *daysSummary = nullptr;
    QVBoxLayout *daysColumn = nullptr;
    QWidget *chart = nullptr;
    QLabel *result = nullptr;
};
