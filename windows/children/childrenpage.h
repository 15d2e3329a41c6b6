#pragma once

#include "children/childlist.h"

#include <QList>
#include <QWidget>

#include <functional>
#include <optional>

class ChildDialog;
class ChildTile;
class QGridLayout;
class QLabel;
class QPushButton;

// The corner's page of the children who play: each a big picture with their
// name. A grown-up adds a child, changes the one picked (name, picture) or
// removes them, keeping their answers under "以前的孩子" unless told otherwise.
class ChildrenPage : public QWidget
{
    Q_OBJECT
public:
    explicit ChildrenPage(QWidget *parent = nullptr);

    const QList<ChildTile *> &tiles() const { return tileList; }
    int pickedChild() const { return picked; }
    void pick(int id);

    // Reads the children again (another start of the game may have added some).
    void refresh();

    void askAdd();
    void askChange();
    void askRemove();

    // Shows the dialog and tells whether the grown-up confirmed it.
    std::function<bool(ChildDialog &)> runDialog;
    // Whether to remove `child`: nullopt to keep them, else whether their
    // answers go too.
    std::function<std::optional<bool>(const Child &child)> confirmRemove;

    QPushButton *addButton = nullptr;
    QPushButton *changeButton = nullptr;
    QPushButton *removeButton = nullptr;
    QLabel *message = nullptr;
    QLabel *formerLine = nullptr;

signals:
    // After each change that was made.
    void childrenChanged();

private:
    // Says why a change was refused; tells the game about one that was made.
    void report(ChildList::Refusal refusal, const QString &name = {});

    ChildList list;
    QList<ChildTile *> tileList;
    QGridLayout *grid = nullptr;
    QLabel *emptyNote = nullptr; // what the page is for, while it has no child
    int picked = ChildList::noChild;
};
