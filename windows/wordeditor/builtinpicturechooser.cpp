#include "wordeditor/builtinpicturechooser.h"

#include "wordsets/wordsets.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int SetRole = Qt::UserRole;
constexpr int WordRole = Qt::UserRole + 1;
constexpr int EnglishRole = Qt::UserRole + 2;
constexpr int MeaningRole = Qt::UserRole + 3;
}

BuiltInPictureChooser::BuiltInPictureChooser(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("选择内置图片"));
    resize(620, 500);
    search = new QLineEdit(this);
    search->setPlaceholderText(QStringLiteral("搜索: 英文或中文"));
    search->setClearButtonEnabled(true);
    list = new QListWidget(this);
    list->setViewMode(QListView::IconMode);
    list->setIconSize(QSize(64, 64));
    list->setGridSize(QSize(100, 112));
    list->setResizeMode(QListView::Adjust);
    list->setMovement(QListView::Static);
    noMatch = new QLabel(QStringLiteral("没有找到"), this);
    noMatch->setTextFormat(Qt::PlainText);
    noMatch->setAlignment(Qt::AlignCenter);
    noMatch->hide();
    const WordSets sets;
    for (const WordSets::Set &set : sets.all()) {
        const QStringList words = set->words();
        for (int w = 0; w < words.size(); ++w) {
            const PictureArt art = set->picture(w);
            if (art.isNull())
                continue;
            const QString meaning = set->meaning(w);
            const QString text = meaning.isEmpty() ? words.at(w) : words.at(w) + u'\n' + meaning;
            auto *item = new QListWidgetItem(QIcon(art.picture), text, list);
            item->setToolTip(set->chineseName());
            item->setData(SetRole, set->id());
            item->setData(WordRole, w);
            item->setData(EnglishRole, words.at(w));
            item->setData(MeaningRole, meaning);
        }
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    useButton = buttons->button(QDialogButtonBox::Ok);
    useButton->setText(QStringLiteral("用这张"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(list, &QListWidget::currentItemChanged, this, &BuiltInPictureChooser::currentChanged);
    connect(search, &QLineEdit::textChanged, this, &BuiltInPictureChooser::filter);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(search);
    layout->addWidget(list, 1);
    layout->addWidget(noMatch);
    layout->addWidget(buttons);
    currentChanged();
    search->setFocus();
}

void BuiltInPictureChooser::filter(const QString &text)
{
    const QString wanted = text.trimmed();
    bool any = false;
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem *item = list->item(row);
        const bool shown = item->data(EnglishRole).toString().contains(wanted, Qt::CaseInsensitive)
                           || item->data(MeaningRole).toString().contains(wanted);
        item->setHidden(!shown);
        any = any || shown;
    }
    noMatch->setVisible(!any);
    // A picture the search hid is not the one the grown-up means to use.
    if (list->currentItem() && list->currentItem()->isHidden())
        list->setCurrentItem(nullptr);
    currentChanged();
}

void BuiltInPictureChooser::currentChanged()
{
    useButton->setEnabled(list->currentItem() && !list->currentItem()->isHidden());
}

QImage BuiltInPictureChooser::chosenPicture() const
{
    const QListWidgetItem *item = list->currentItem();
    if (!item)
        return {};
    const WordSets sets;
    const WordSets::Set set = sets.find(item->data(SetRole).toString());
    if (!set)
        return {};
    const PictureArt art = set->picture(item->data(WordRole).toInt());
    QPixmap best = art.larger ? art.larger(3) : QPixmap();
    if (best.isNull())
        best = art.picture;
    QImage image = best.toImage();
    image.setDevicePixelRatio(1);
    return image;
}

QString BuiltInPictureChooser::chosenWord() const
{
    const QListWidgetItem *item = list->currentItem();
    return item ? item->data(EnglishRole).toString() : QString();
}
