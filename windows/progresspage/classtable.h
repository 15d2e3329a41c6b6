#pragma once

#include <QTableWidget>

// The progress page's view of the whole class for a teacher: one row per
// child, in the children's order, with their games, questions, first-try
// rate, pace and five hardest words.
class ClassTable : public QTableWidget
{
    Q_OBJECT
public:
    explicit ClassTable(QWidget *parent = nullptr);

    // Reads the record (and each child's pace setting where they have not played yet).
    void refresh();
};
