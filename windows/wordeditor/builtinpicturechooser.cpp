#include "wordeditor/builtinpicturechooser.h"

#include "wordsets/wordsets.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int SetRole = Qt::UserRole;
constexpr int WordRole = Qt::UserRole + 1;
}

BuiltInPictureChooser::BuiltInPictureChooser(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("选择内置图片"));
    resize(620, 460);
    list = new QListWidget(this);
    list->setViewMode(QListView::IconMode);
    list->setIconSize(QSize(64, 64));
    list->setGridSize(QSize(100, 96));
    list->setResizeMode(QListView::Adjust);
    list->setMovement(QListView::Static);
    const WordSets sets;
    for (const WordSets::Set &set : sets.all()) {
        const QStringList words = set->words();
        for (int w = 0; w < words.size(); ++w) {
            const PictureArt art = set->picture(w);
            if (art.isNull())
                continue;
            auto *item = new QListWidgetItem(QIcon(art.picture), words.at(w), list);
            item->setToolTip(set->chineseName());
            item->setData(SetRole, set->id());
            item->setData(WordRole, w);
        }
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("用这张"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(list);
    layout->addWidget(buttons);
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
    return item ? item->text() : QString();
}
