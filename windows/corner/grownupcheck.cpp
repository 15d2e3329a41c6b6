#include "corner/grownupcheck.h"

#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

namespace {
QString chineseDigit(int n)
{
    static const QString digits = QStringLiteral("零一二三四五六七八九");
    return n >= 0 && n <= 9 ? QString(digits[n]) : QString::number(n);
}

// Both numbers from 6 to 9: the sum always has two digits to type.
int drawAddend()
{
    return 6 + int(QRandomGenerator::global()->bounded(4));
}
} // namespace

GrownUpCheck::GrownUpCheck(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(60, 60, 60, 30);
    layout->setSpacing(14);
    auto *intro = new QLabel(QStringLiteral("这里是给家长和老师用的。请算出下面的题，用数字输入答案："), this);
    intro->setWordWrap(true);
    intro->setAlignment(Qt::AlignCenter);
    questionLabel = new QLabel(this);
    QFont big = questionLabel->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    questionLabel->setFont(big);
    questionLabel->setAlignment(Qt::AlignCenter);
    answerBox = new QLineEdit(this);
    answerBox->setValidator(new QIntValidator(0, 99, answerBox));
    answerBox->setMaxLength(2);
    answerBox->setAlignment(Qt::AlignCenter);
    answerBox->setFixedWidth(120);
    okButton = new QPushButton(QStringLiteral("确定"), this);
    okButton->setFixedWidth(120);
    wrongLabel = new QLabel(this);
    QPalette red = wrongLabel->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    wrongLabel->setPalette(red);
    wrongLabel->setAlignment(Qt::AlignCenter);
    layout->addWidget(intro);
    layout->addWidget(questionLabel);
    layout->addWidget(answerBox, 0, Qt::AlignHCenter);
    layout->addWidget(okButton, 0, Qt::AlignHCenter);
    layout->addWidget(wrongLabel);
    layout->addStretch();

    connect(okButton, &QPushButton::clicked, this, &GrownUpCheck::check);
    connect(answerBox, &QLineEdit::returnPressed, this, &GrownUpCheck::check);
    ask(drawAddend(), drawAddend());
}

void GrownUpCheck::ask(int a, int b)
{
    first = a;
    second = b;
    questionLabel->setText(question());
    answerBox->clear();
}

QString GrownUpCheck::question() const
{
    return QStringLiteral("%1加%2等于几？").arg(chineseDigit(first), chineseDigit(second));
}

// A wrong answer gets another sum (never the same one again), so trying
// numbers one by one takes long.
void GrownUpCheck::check()
{
    bool number = false;
    const int given = answerBox->text().trimmed().toInt(&number);
    if (number && given == answer()) {
        wrongLabel->clear();
        emit passed();
        return;
    }
    wrongLabel->setText(QStringLiteral("不对，换一道题再试试。"));
    int a = 0, b = 0;
    do {
        a = drawAddend();
        b = drawAddend();
    } while (a == first && b == second);
    ask(a, b);
    answerBox->setFocus();
}
