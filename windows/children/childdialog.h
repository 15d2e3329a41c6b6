#pragma once

#include "children/childlist.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// Adds a child, or changes one's name and picture: a name field that says at
// once what is wrong with the name, and the built-in word pictures to choose
// from. Pictures other children have are greyed and cannot be chosen.
class ChildDialog : public QDialog
{
    Q_OBJECT
public:
    // `editing` is the child being changed; noChild adds one.
    ChildDialog(const ChildList &children, int editing = ChildList::noChild, QWidget *parent = nullptr);

    QString name() const;
    // The chosen picture's catalogue number; 0 with none chosen.
    int picture() const;

    QLineEdit *nameBox = nullptr;
    QLabel *problem = nullptr;
    QListWidget *pictures = nullptr;
    QPushButton *okButton = nullptr;

private:
    void check();

    const ChildList &children;
    int editing;
};
