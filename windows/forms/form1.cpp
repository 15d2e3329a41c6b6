#include "forms/form1.h"

Form1::Form1()
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Form1"));
    // A dialog, so the window manager keeps it above the game's window it
    // belongs to, also above the full screen.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(411, 293);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);

    Label1 = new QLabel(this);
    Label1->setGeometry(16, 16, 385, 249);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Form_Load();
}

QString Form1::helpText()
{
    const QString paragraph = QStringLiteral("\r\n\r\n");
    return QStringLiteral("游戏目的：帮助儿童掌握一些简单") + QStringLiteral("的英文单词，点击三角按钮开始游")
           + QStringLiteral("戏。") + paragraph + QStringLiteral("玩法：第一级，帮助你初步认识单词。")
           + QStringLiteral("你可以参照右边的小图片，在左边") + QStringLiteral("的10个图片中选择一个正确的图片")
           + QStringLiteral("用鼠标点击。") + paragraph + QStringLiteral("第二级，这一级增加了难度，")
           + QStringLiteral("不再有提示图片了，如果你不会，") + QStringLiteral("可以点一下右边的书，它会帮助你")
           + QStringLiteral("的。") + paragraph + QStringLiteral("第三级，恭喜你能进到这一级，")
           + QStringLiteral("没有图片和书了，要靠你自己了。") + paragraph
           + QStringLiteral("第四级，这一级更难了，不提供单词发音了，你要")
           + QStringLiteral("根据提示的单词找出正确的图片。如果不会，可以点击书包帮助你");
}

void Form1::Form_Load()
{
    Label1->setText(helpText());
}
