#include "children/childdialog.h"

#include "catalogue/catalogue.h"
#include "children/childname.h"

#include <QTextDocument>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int PictureRole = Qt::UserRole;
constexpr int iconSide = 56;
} // namespace

ChildDialog::ChildDialog(const ChildList &childList, int editingId, QWidget *parent)
    : QDialog(parent)
    , children(childList)
    , editing(editingId)
{
    const std::optional<Child> edited = children.byId(editing);
    setWindowTitle(edited ? QStringLiteral("改名字、换图片") : QStringLiteral("添加孩子"));
    resize(600, 520);

    nameBox = new QLineEdit(edited ? edited->name : QString(), this);
    nameBox->setPlaceholderText(QStringLiteral("孩子的名字"));
    problem = new QLabel(this);
    problem->setTextFormat(Qt::PlainText);
    QPalette red = problem->palette();
    red.setColor(QPalette::WindowText, QColor(0xc0, 0x00, 0x00));
    problem->setPalette(red);

    // Decoded here, as the dialog opens: never at the game's start.
    pictures = new QListWidget(this);
    pictures->setViewMode(QListView::IconMode);
    pictures->setIconSize(QSize(iconSide, iconSide));
    pictures->setGridSize(QSize(iconSide + 10, iconSide + 10));
    pictures->setResizeMode(QListView::Adjust);
    pictures->setMovement(QListView::Static);
    pictures->setSelectionMode(QAbstractItemView::SingleSelection);
    // The chosen picture stands out at a glance; a grey one is another child's.
    pictures->setStyleSheet(QStringLiteral("QListWidget::item { border: 3px solid transparent; border-radius: 6px; }"
                                           "QListWidget::item:selected { background: #fff4d0; border-color: #e89a00; }"));
    const int chosen = edited ? edited->picture : children.freePicture();
    for (const int id : ChildList::pictureChoices()) {
        // The chosen one keeps its colours: the style would tint it like the grey ones.
        const QPixmap picture = catalogue::loadPicture(id);
        QIcon icon(picture);
        icon.addPixmap(picture, QIcon::Selected);
        auto *item = new QListWidgetItem(icon, QString(), pictures);
        item->setData(PictureRole, id);
        for (const Child &other : children.children())
            if (other.picture == id && other.id != editing) {
                item->setFlags(Qt::NoItemFlags); // greyed, and no click chooses it
                item->setToolTip(Qt::convertFromPlainText(QStringLiteral("%1 的图片").arg(other.name)));
            }
        if (id == chosen)
            pictures->setCurrentItem(item);
    }
    if (pictures->currentItem())
        pictures->scrollToItem(pictures->currentItem());

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton = buttons->button(QDialogButtonBox::Ok);
    okButton->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(nameBox, &QLineEdit::textChanged, this, &ChildDialog::check);
    connect(pictures, &QListWidget::currentItemChanged, this, &ChildDialog::check);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("名字："), this));
    layout->addWidget(nameBox);
    layout->addWidget(problem);
    layout->addWidget(new QLabel(QStringLiteral("选一张孩子一眼就认得的图片（每个孩子一张，灰色的已经有主人了）："), this));
    layout->addWidget(pictures, 1);
    layout->addWidget(buttons);
    check();
    nameBox->setFocus();
}

QString ChildDialog::name() const
{
    return children::trimmedName(nameBox->text());
}

int ChildDialog::picture() const
{
    const QListWidgetItem *item = pictures->currentItem();
    return item && (item->flags() & Qt::ItemIsEnabled) ? item->data(PictureRole).toInt() : 0;
}

// The empty name of a fresh dialog says nothing yet: the grown-up has not typed.
void ChildDialog::check()
{
    const children::NameProblem bad = children::nameProblem(name());
    const std::optional<Child> namesake = children.byName(name());
    QString why;
    if (bad != children::NameProblem::None)
        why = nameBox->text().isEmpty() ? QString() : children::chineseReason(bad);
    else if (namesake && namesake->id != editing)
        why = QStringLiteral("已经有一个叫这个名字的孩子。");
    problem->setText(why);
    okButton->setEnabled(bad == children::NameProblem::None && why.isEmpty() && picture() != 0);
}
