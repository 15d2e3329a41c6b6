#include "wordeditor/seteditor.h"

#include "media/soundplayer.h"
#include "ownwords/ownmedia.h"
#include "ownwords/ownset.h"
#include "ownwords/setfiles.h"
#include "wordeditor/builtinpicturechooser.h"
#include "wordeditor/wordrow.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

QByteArray readMedia(const QString &folder, const QString &name, qint64 limit)
{
    return name.isEmpty() ? QByteArray() : setfiles::read(folder, name, limit).bytes;
}

} // namespace

SetEditor::SetEditor(const QString &setFolder, const QString &name, SoundPlayer &player, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , folder(setFolder)
    , player(player)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("编辑词语组：%1").arg(name));
    resize(860, 600);

    auto *layout = new QVBoxLayout(this);
    auto *help = new QLabel(QStringLiteral("每个词：输入英文单词，选一张图片，再录音（按“录音”开始，再按一下停止）"
                                           "或选一个声音文件。改动会立即保存。至少 10 个词才能玩，最多 20 个。"),
                            this);
    help->setWordWrap(true);
    layout->addWidget(help);

    auto *list = new QWidget;
    auto *listLayout = new QVBoxLayout(list);
    listLayout->setSpacing(0);
    const setfiles::Contents listFile = setfiles::read(folder, setfiles::wordListName(), setfiles::maxListBytes);
    const ownset::WordList read = ownset::parseWordList(listFile.bytes, ownset::fitsWordLabel);
    const QStringList words = read.words;
    // A list the editor cannot show whole is left as it is, never cut short or garbled.
    if (!listFile.problem.isEmpty() && !listFile.missing)
        listKept = QStringLiteral("words.txt %1，这里不保存单词的改动；图片和录音照常保存。").arg(listFile.problem);
    else if (read.refused)
        listKept = read.problem + QStringLiteral("。这里不保存单词的改动；图片和录音照常保存。");
    else if (words.size() > ownset::maxWords)
        listKept = QStringLiteral("words.txt 超过 %1 行，这里不保存单词的改动，以免丢失后面的行；图片和录音照常保存。")
                       .arg(ownset::maxWords);
    for (int i = 0; i < ownset::maxWords; ++i) {
        auto *row = new WordRow(i, list);
        wordRows.append(row);
        listLayout->addWidget(row);
        row->setText(words.value(i));
        loadRow(i);
        connect(row->wordEdit, &QLineEdit::textEdited, this, [this] { checkWords(); });
        connect(row->wordEdit, &QLineEdit::editingFinished, this, [this] { saveWords(); });
        connect(row->pictureFileButton, &QPushButton::clicked, this, [this, i] { askPictureFile(i); });
        connect(row->builtInPictureButton, &QPushButton::clicked, this, [this, i] { askBuiltInPicture(i); });
        connect(row->recordButton, &QPushButton::clicked, this, [this, i] { toggleRecording(i); });
        connect(row->listenButton, &QPushButton::clicked, this, [this, i] { listen(i); });
        connect(row->soundFileButton, &QPushButton::clicked, this, [this, i] { askSoundFile(i); });
    }
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(list);
    scroll->setWidgetResizable(true);
    layout->addWidget(scroll, 1);
    status = new QLabel(this);
    status->setTextFormat(Qt::PlainText);
    status->setWordWrap(true);
    layout->addWidget(status);

    captureTimer.setInterval(100);
    connect(&captureTimer, &QTimer::timeout, this, [this] { takeRecording(); });
    checkWords();
}

SetEditor::~SetEditor()
{
    // A recording under way is kept, not lost with the window.
    stopRecording();
    player.stop();
}

void SetEditor::loadRow(int row)
{
    const setfiles::RowFiles files = setfiles::rowFiles(folder, row);
    QBuffer file;
    file.setData(readMedia(folder, files.picture, setfiles::maxPictureBytes));
    file.open(QIODevice::ReadOnly);
    wordRows[row]->showPicture(ownmedia::readPicture(file).image);
    wordRows[row]->showRecording(!files.recording.isEmpty());
    if (!files.problem.isEmpty())
        wordRows[row]->showProblem(files.problem);
    wordRows[row]->showRecordingRunning(capturing == row);
}

// Marks what keeps the list from being saved: a word too wide for the word
// label, a repeated word, a blank line between words. Answers the first.
void SetEditor::checkWords()
{
    QString first;
    wordProblems.clear();
    int last = -1;
    for (int i = 0; i < wordRows.size(); ++i)
        if (!wordRows[i]->text().isEmpty())
            last = i;
    for (int i = 0; i < wordRows.size(); ++i) {
        const QString word = wordRows[i]->text();
        QString problem;
        if (word.isEmpty() && i < last)
            problem = QStringLiteral("空行：请填上单词，或把后面的词往前移。");
        else if (!word.isEmpty() && !ownset::fitsWordLabel(word))
            problem = QStringLiteral("太长了，游戏里的词语框放不下。");
        for (int j = 0; j < i && problem.isEmpty() && !word.isEmpty(); ++j)
            if (wordRows[j]->text().compare(word, Qt::CaseInsensitive) == 0)
                problem = QStringLiteral("和第 %1 个词重复。").arg(j + 1);
        wordProblems << problem;
        if (!problem.isEmpty()) {
            wordRows[i]->showProblem(problem);
            if (first.isEmpty())
                first = QStringLiteral("第 %1 个词%2").arg(i + 1).arg(problem);
        } else if (wordRows[i]->showsProblem()) {
            wordRows[i]->showNote({});
        }
    }
    const int count = last + 1;
    if (!listKept.isEmpty())
        status->setText(listKept);
    else if (!first.isEmpty())
        status->setText(QStringLiteral("未保存：") + first);
    else if (count < ownset::minWords)
        status->setText(QStringLiteral("已有 %1 个词，还差 %2 个才能玩。").arg(count).arg(ownset::minWords - count));
    else
        status->setText(QStringLiteral("已有 %1 个词。").arg(count));
}

QString SetEditor::saveWords()
{
    checkWords();
    if (!listKept.isEmpty())
        return listKept;
    for (const QString &problem : std::as_const(wordProblems))
        if (!problem.isEmpty())
            return problem;
    QStringList words;
    for (const WordRow *row : wordRows)
        words << row->text();
    while (!words.isEmpty() && words.constLast().isEmpty())
        words.removeLast();
    const QString problem = ownset::writeWordList(folder, words);
    if (!problem.isEmpty())
        status->setText(QStringLiteral("未保存：") + problem);
    else
        emit changed();
    return problem;
}

QString SetEditor::stored(int row, const QString &problem, const QString &notUsed, const QString &saved)
{
    if (!problem.isEmpty())
        wordRows[row]->showProblem(notUsed + problem);
    else
        wordRows[row]->showNote(saved);
    loadRow(row);
    emit changed();
    return problem;
}

QString SetEditor::choosePictureFile(int row, const QString &file)
{
    return stored(row, ownset::storePicture(folder, row, file), QStringLiteral("图片没有用上："),
                  QStringLiteral("图片已保存。"));
}

QString SetEditor::choosePicture(int row, const QImage &picture)
{
    return stored(row, ownset::storePictureImage(folder, row, picture), QStringLiteral("图片没有用上："),
                  QStringLiteral("图片已保存。"));
}

QString SetEditor::chooseSoundFile(int row, const QString &file)
{
    return stored(row, ownset::storeRecording(folder, row, file), QStringLiteral("声音没有用上："),
                  QStringLiteral("声音已保存（去掉了前后的静音，音量已调整）。"));
}

void SetEditor::toggleRecording(int row)
{
    const int was = capturing;
    stopRecording();
    if (was == row)
        return;
    player.stop();
    if (const QString problem = capture.start(); !problem.isEmpty()) {
        wordRows[row]->showProblem(problem + QStringLiteral(" 请用“声音文件…”选择一个录好的声音。"));
        wordRows[row]->soundFileButton->setFocus();
        return;
    }
    capturing = row;
    wordRows[row]->showNote(QStringLiteral("正在录音：说出这个词，然后按“停止”。"));
    wordRows[row]->showRecordingRunning(true);
    captureTimer.start();
}

void SetEditor::takeRecording()
{
    if (capturing < 0)
        return;
    const double seconds = capture.take();
    wordRows[capturing]->showRecordingRunning(true, seconds);
    if (capture.full())
        stopRecording();
}

void SetEditor::stopRecording()
{
    captureTimer.stop();
    if (capturing < 0)
        return;
    const int row = capturing;
    capturing = -1;
    const QByteArray wave = capture.stop();
    const QString problem = wave.isEmpty()
                                ? QStringLiteral("什么也没录到")
                                : ownset::storeRecordingBytes(folder, row, wave, QStringLiteral("录音"));
    stored(row, problem, QStringLiteral("录音没有用上："), QStringLiteral("录音已保存。按“试听”听一听。"));
}

void SetEditor::listen(int row)
{
    heard = readMedia(folder, setfiles::rowFiles(folder, row).recording, setfiles::maxRecordingBytes);
    const ownmedia::Recording recording = ownmedia::convertRecording(heard);
    heard = recording.wave;
    if (heard.isEmpty() || !player.play(heard, PlayMode::Async))
        wordRows[row]->showProblem(recording.problem.isEmpty() ? QStringLiteral("无法播放（没有声音设备？）")
                                                               : QStringLiteral("无法播放：") + recording.problem);
}

void SetEditor::askPictureFile(int row)
{
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("选择图片"), QDir::homePath(),
                                                      QStringLiteral("图片 (*.png *.jpg *.jpeg *.bmp)"));
    if (!file.isEmpty())
        choosePictureFile(row, file);
}

void SetEditor::askBuiltInPicture(int row)
{
    BuiltInPictureChooser chooser(this);
    if (chooser.exec() != QDialog::Accepted || chooser.chosenPicture().isNull())
        return;
    if (wordRows[row]->text().isEmpty()) {
        wordRows[row]->setText(chooser.chosenWord());
        saveWords();
    }
    choosePicture(row, chooser.chosenPicture());
}

void SetEditor::askSoundFile(int row)
{
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("选择声音文件"), QDir::homePath(),
                                                      QStringLiteral("声音 (*.wav *.flac *.ogg)"));
    if (!file.isEmpty())
        chooseSoundFile(row, file);
}
