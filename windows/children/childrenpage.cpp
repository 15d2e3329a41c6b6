#include "children/childrenpage.h"

#include "children/childdialog.h"
#include "children/childtile.h"
#include "children/refusaltext.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
constexpr int columns = 5;
constexpr int pictureSide = 96;
} // namespace

ChildrenPage::ChildrenPage(QWidget *parent)
    : QWidget(parent)
{
    auto *intro = new QLabel(QStringLiteral("每个孩子有自己的答题记录、难记的词、词语组和速度。"
                                            "有两个以上的孩子时，游戏右边会出现一个图片按钮，孩子点它选自己。"
                                            "要改名字、换图片或删除，先点一下那个孩子。"),
                             this);
    intro->setWordWrap(true);

    auto *tilesArea = new QWidget;
    tilesArea->setBackgroundRole(QPalette::Base);
    tilesArea->setAutoFillBackground(true);
    auto *tilesColumn = new QVBoxLayout(tilesArea);
    emptyNote = new QLabel(QStringLiteral("还没有孩子。没有孩子时，所有的答题都记在一起。"
                                          "点“添加孩子…”，给每个孩子起个名字、选一张图片。"),
                           tilesArea);
    emptyNote->setWordWrap(true);
    emptyNote->setForegroundRole(QPalette::PlaceholderText);
    tilesColumn->addWidget(emptyNote);
    grid = new QGridLayout;
    tilesColumn->addLayout(grid);
    tilesColumn->addStretch();
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->setSpacing(8);
    auto *scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(tilesArea);

    formerLine = new QLabel(this);
    formerLine->setTextFormat(Qt::PlainText);
    formerLine->setWordWrap(true);
    message = new QLabel(this);
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);
    QPalette red = message->palette();
    red.setColor(QPalette::WindowText, QColor(0xc0, 0x00, 0x00));
    message->setPalette(red);
    message->hide();

    addButton = new QPushButton(QStringLiteral("添加孩子…"), this);
    changeButton = new QPushButton(QStringLiteral("改名字、换图片…"), this);
    removeButton = new QPushButton(QStringLiteral("删除…"), this);
    connect(addButton, &QPushButton::clicked, this, &ChildrenPage::askAdd);
    connect(changeButton, &QPushButton::clicked, this, &ChildrenPage::askChange);
    connect(removeButton, &QPushButton::clicked, this, &ChildrenPage::askRemove);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(addButton);
    buttons->addWidget(changeButton);
    buttons->addWidget(removeButton);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(scroll, 1);
    layout->addWidget(formerLine);
    layout->addWidget(message);
    layout->addLayout(buttons);

    runDialog = [](ChildDialog &dialog) { return dialog.exec() == QDialog::Accepted; };
    confirmRemove = [this](const Child &child) -> std::optional<bool> {
        QMessageBox ask(QMessageBox::Question, QStringLiteral("删除孩子"),
                        QStringLiteral("要把“%1”从名单上删掉吗？").arg(child.name), QMessageBox::NoButton, this);
        ask.setTextFormat(Qt::PlainText);
        ask.setInformativeText(QStringLiteral("不勾选下面这一项，这个孩子的答题记录会留在“以前的孩子”下面。"));
        auto *answersToo = new QCheckBox(QStringLiteral("同时删除这个孩子的答题记录"), &ask);
        ask.setCheckBox(answersToo);
        QPushButton *remove = ask.addButton(QStringLiteral("删除"), QMessageBox::DestructiveRole);
        ask.setDefaultButton(ask.addButton(QStringLiteral("不删"), QMessageBox::RejectRole));
        ask.exec();
        if (ask.clickedButton() != remove)
            return std::nullopt;
        return answersToo->isChecked();
    };
    refresh();
}

void ChildrenPage::refresh()
{
    list = ChildList();
    // Later: a tile's own double-click may be what changed the children.
    for (ChildTile *old : std::as_const(tileList)) {
        grid->removeWidget(old);
        old->hide();
        old->deleteLater();
    }
    tileList.clear();
    for (const Child &child : list.children()) {
        auto *tile = new ChildTile(child, pictureSide, grid->parentWidget());
        connect(tile, &ChildTile::clicked, this, [this, tile] { pick(tile->childId()); });
        connect(tile, &ChildTile::doubleClicked, this, &ChildrenPage::askChange);
        grid->addWidget(tile, int(tileList.size()) / columns, int(tileList.size()) % columns);
        tileList.append(tile);
    }
    emptyNote->setVisible(tileList.isEmpty());
    QStringList former;
    for (const Child &child : list.former())
        former.append(child.name);
    formerLine->setText(former.isEmpty() ? QString() : QStringLiteral("以前的孩子（答题记录还留着）：") + former.join(u"、"));
    formerLine->setVisible(!former.isEmpty());
    addButton->setEnabled(list.children().size() < ChildList::most);
    pick(list.byId(picked) ? picked : ChildList::noChild);
}

void ChildrenPage::pick(int id)
{
    picked = id;
    for (ChildTile *tile : tileList)
        tile->setMarked(tile->childId() == id);
    changeButton->setEnabled(id != ChildList::noChild);
    removeButton->setEnabled(id != ChildList::noChild);
}

void ChildrenPage::report(ChildList::Refusal refusal, const QString &name)
{
    message->setText(refusalText(refusal, name));
    message->setVisible(!message->text().isEmpty());
    refresh();
    if (refusal == ChildList::Refusal::None)
        emit childrenChanged();
}

void ChildrenPage::askAdd()
{
    list = ChildList(); // a teacher's line may have added children meanwhile
    ChildDialog dialog(list, ChildList::noChild, this);
    if (!runDialog(dialog))
        return;
    int added = ChildList::noChild;
    const ChildList::Refusal refusal = list.add(dialog.name(), dialog.picture(), &added);
    if (refusal == ChildList::Refusal::None)
        picked = added;
    report(refusal, dialog.name());
}

void ChildrenPage::askChange()
{
    list = ChildList();
    const std::optional<Child> child = list.byId(picked);
    if (!child)
        return report(ChildList::Refusal::Unknown);
    ChildDialog dialog(list, child->id, this);
    if (!runDialog(dialog))
        return;
    ChildList::Refusal refusal = ChildList::Refusal::None;
    if (dialog.name() != child->name)
        refusal = list.rename(child->id, dialog.name());
    const bool renamed = refusal == ChildList::Refusal::None && dialog.name() != child->name;
    if (refusal == ChildList::Refusal::None && dialog.picture() != child->picture)
        refusal = list.changePicture(child->id, dialog.picture());
    report(refusal, dialog.name());
    if (renamed && refusal != ChildList::Refusal::None)
        emit childrenChanged(); // the new name stands, only the picture was refused
}

void ChildrenPage::askRemove()
{
    const std::optional<Child> child = list.byId(picked);
    if (!child)
        return report(ChildList::Refusal::Unknown);
    const std::optional<bool> answersToo = confirmRemove(*child);
    if (!answersToo)
        return;
    report(list.remove(child->id, !*answersToo));
}
