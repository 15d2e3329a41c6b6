#include "wordeditor/wordrow.h"

#include <QGridLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace {
constexpr int thumbnailSide = 48;
}

WordRow::WordRow(int index, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    auto *number = new QLabel(QString::number(index + 1), this);
    number->setFixedWidth(22);
    wordEdit = new QLineEdit(this);
    wordEdit->setPlaceholderText(QStringLiteral("英文单词"));
    wordEdit->setMaxLength(100);
    wordEdit->setFixedWidth(150);
    pictureLabel = new QLabel(this);
    pictureLabel->setFixedSize(thumbnailSide, thumbnailSide);
    pictureLabel->setAlignment(Qt::AlignCenter);
    pictureLabel->setFrameShape(QFrame::Box);
    pictureFileButton = new QPushButton(QStringLiteral("图片文件…"), this);
    builtInPictureButton = new QPushButton(QStringLiteral("内置图片…"), this);
    recordButton = new QPushButton(this);
    listenButton = new QPushButton(QStringLiteral("试听"), this);
    soundFileButton = new QPushButton(QStringLiteral("声音文件…"), this);
    upButton = new QPushButton(QStringLiteral("上移"), this);
    downButton = new QPushButton(QStringLiteral("下移"), this);
    insertButton = new QPushButton(QStringLiteral("插入一行"), this);
    removeButton = new QPushButton(QStringLiteral("删除这一行"), this);
    messageLabel = new QLabel(this);
    messageLabel->setTextFormat(Qt::PlainText);
    messageLabel->setWordWrap(true);

    layout->addWidget(number, 0, 0, 2, 1);
    layout->addWidget(wordEdit, 0, 1);
    layout->addWidget(pictureLabel, 0, 2, 2, 1);
    layout->addWidget(pictureFileButton, 0, 3);
    layout->addWidget(builtInPictureButton, 0, 4);
    layout->addWidget(recordButton, 0, 5);
    layout->addWidget(listenButton, 0, 6);
    layout->addWidget(soundFileButton, 0, 7);
    layout->addWidget(upButton, 1, 1);
    layout->addWidget(messageLabel, 1, 3, 1, 5);
    auto *rowButtons = new QGridLayout;
    rowButtons->addWidget(downButton, 0, 0);
    rowButtons->addWidget(insertButton, 0, 1);
    rowButtons->addWidget(removeButton, 1, 0, 1, 2);
    layout->addLayout(rowButtons, 0, 8, 2, 1);
    showPicture({});
    showRecordingRunning(false);
}

QString WordRow::text() const
{
    return wordEdit->text().trimmed();
}

void WordRow::setText(const QString &text)
{
    wordEdit->setText(text);
}

void WordRow::showPicture(const QImage &picture)
{
    if (picture.isNull()) {
        pictureLabel->setPixmap({});
        pictureLabel->setText(QStringLiteral("无图"));
        return;
    }
    pictureLabel->setPixmap(QPixmap::fromImage(
        picture.scaled(thumbnailSide - 2, thumbnailSide - 2, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void WordRow::showRecording(bool present)
{
    hasRecording = present;
    listenButton->setEnabled(present);
}

void WordRow::showRecordingRunning(bool running, double seconds)
{
    recordButton->setText(running ? QStringLiteral("停止 %1 秒").arg(seconds, 0, 'f', 1)
                                  : (hasRecording ? QStringLiteral("重新录音") : QStringLiteral("录音")));
    listenButton->setEnabled(!running && hasRecording);
}

void WordRow::showProblem(const QString &problem)
{
    problemShown = true;
    messageLabel->setStyleSheet(QStringLiteral("color: #b00000;"));
    messageLabel->setText(problem);
}

void WordRow::showNote(const QString &note)
{
    problemShown = false;
    messageLabel->setStyleSheet(QStringLiteral("color: #505050;"));
    messageLabel->setText(note);
}

QString WordRow::shownMessage() const
{
    return messageLabel->text();
}
