#include "wordeditor/newsetdialog.h"

#include "ownsets/setfiles.h"
#include "ownsets/setwriter.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLabel *redLine(QWidget *parent)
{
    auto *line = new QLabel(parent);
    line->setTextFormat(Qt::PlainText); // it quotes what was typed
    line->setWordWrap(true);
    QPalette red = line->palette();
    red.setColor(QPalette::WindowText, QColor(0xc0, 0x00, 0x00));
    line->setPalette(red);
    return line;
}
} // namespace

NewSetDialog::NewSetDialog(QString folder, QWidget *parent)
    : QDialog(parent)
    , setsFolder(std::move(folder))
{
    setWindowTitle(QStringLiteral("新建词语组"));
    nameBox = new QLineEdit(this);
    nameBox->setObjectName(QStringLiteral("nameBox"));
    nameBox->setPlaceholderText(QStringLiteral("例如 农场动物"));
    nameProblem = redLine(this);
    folderBox = new QLineEdit(this);
    folderBox->setObjectName(QStringLiteral("folderBox"));
    folderBox->setMaxLength(40);
    folderProblem = redLine(this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton = buttons->button(QDialogButtonBox::Ok);
    okButton->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &NewSetDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(nameBox, &QLineEdit::textChanged, this, [this] { check(false); });
    connect(folderBox, &QLineEdit::textChanged, this, [this] { check(false); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("名称："), this));
    layout->addWidget(nameBox);
    layout->addWidget(nameProblem);
    layout->addWidget(new QLabel(QStringLiteral("文件夹名（英文字母、数字或 -，例如 week-12）："), this));
    layout->addWidget(folderBox);
    layout->addWidget(folderProblem);
    layout->addStretch();
    layout->addWidget(buttons);
    // Wide enough for the longest line, tall enough for both red lines.
    setMinimumWidth(420);
    check(false);
    nameBox->setFocus();
}

QString NewSetDialog::name() const
{
    return nameBox->text().simplified();
}

QString NewSetDialog::folderName() const
{
    return folderBox->text().trimmed();
}

bool NewSetDialog::check(bool insist)
{
    const QString made = ownsets::idFromName(name());
    folderBox->setPlaceholderText(made.isEmpty() ? QString()
                                                 : QStringLiteral("不填就用 %1").arg(ownsets::freeId(made, setsFolder)));
    QString nameWhy;
    if (name().isEmpty() && insist)
        nameWhy = QStringLiteral("请写上这组词的名称。");
    QString folderWhy;
    const QString folder = folderName();
    if (!folder.isEmpty() && !ownsets::isValidId(folder))
        folderWhy = QStringLiteral("“%1”不能做文件夹名：只能用英文字母、数字和 -，至少要有一个字母。").arg(folder);
    else if (!folder.isEmpty() && ownsets::setExists(folder, setsFolder))
        folderWhy = QStringLiteral("已经有叫“%1”的文件夹了，请换一个。").arg(folder);
    else if (folder.isEmpty() && made.isEmpty() && (insist || !name().isEmpty()))
        folderWhy = QStringLiteral("名称里没有英文字母或数字，请另写一个文件夹名。");
    nameProblem->setText(nameWhy);
    nameProblem->setVisible(!nameWhy.isEmpty());
    folderProblem->setText(folderWhy);
    folderProblem->setVisible(!folderWhy.isEmpty());
    fitHeight();
    return nameWhy.isEmpty() && folderWhy.isEmpty();
}

// A red line that goes gives its room back: the buttons stay under the boxes.
void NewSetDialog::fitHeight()
{
    if (isVisible())
        resize(width(), heightForWidth(width()) > 0 ? heightForWidth(width()) : sizeHint().height());
}

void NewSetDialog::accept()
{
    if (check(true)) {
        const QString problem = make ? make(name(), folderName()) : QString();
        if (problem.isEmpty())
            return QDialog::accept();
        folderProblem->setText(problem);
        folderProblem->show();
        fitHeight();
    }
    QLineEdit *bad = nameProblem->isHidden() ? folderBox : nameBox;
    bad->setFocus();
    bad->selectAll();
}
