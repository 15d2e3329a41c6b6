#include "wordeditor/seteditor.h"

#include "sound/soundplayer.h"
#include "ownsets/ownmedia.h"
#include "ownsets/setfiles.h"
#include "ownsets/setreader.h"
#include "wordeditor/builtinpicturechooser.h"
#include "wordeditor/wordrow.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

SetEditor::SetEditor(const QString &setFolder, const QString &name, SoundPlayer &player, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , setRows(setFolder, ownsets::fitsWordLabel)
    , player(player)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("编辑词语组：%1").arg(name));
    resize(980, 640);

    auto *layout = new QVBoxLayout(this);
    auto *help = new QLabel(QStringLiteral("每个词：输入英文单词，选一张图片，再录音（按“录音”开始，再按一下停止）"
                                           "或选一个声音文件。单词、图片和录音是一行，一起移动、删除和保存；"
                                           "改动会立即保存。至少 10 个词才能玩，最多 20 个。"),
                            this);
    help->setWordWrap(true);
    layout->addWidget(help);

    auto *list = new QWidget;
    auto *listLayout = new QVBoxLayout(list);
    listLayout->setSpacing(0);
    for (int i = 0; i < ownsets::maxWords; ++i) {
        auto *row = new WordRow(i, list);
        wordRows.append(row);
        listLayout->addWidget(row);
        connect(row->wordEdit, &QLineEdit::textEdited, this, [this] { checkWords(); });
        connect(row->wordEdit, &QLineEdit::editingFinished, this, [this] { saveWords(); });
        connect(row->pictureFileButton, &QPushButton::clicked, this, [this, i] { askPictureFile(i); });
        connect(row->builtInPictureButton, &QPushButton::clicked, this, [this, i] { askBuiltInPicture(i); });
        connect(row->recordButton, &QPushButton::clicked, this, [this, i] { toggleRecording(i); });
        connect(row->listenButton, &QPushButton::clicked, this, [this, i] { listen(i); });
        connect(row->soundFileButton, &QPushButton::clicked, this, [this, i] { askSoundFile(i); });
        connect(row->upButton, &QPushButton::clicked, this, [this, i] { moveRow(i, i - 1); });
        connect(row->downButton, &QPushButton::clicked, this, [this, i] { moveRow(i, i + 1); });
        connect(row->insertButton, &QPushButton::clicked, this, [this, i] { insertRow(i); });
        connect(row->removeButton, &QPushButton::clicked, this, [this, i] {
            // A parent's own recording has no copy elsewhere: one click never deletes it.
            const SetRows::Row &shown = setRows.rows()[i];
            if ((shown.blank() && !shown.hasMedia()) || askBeforeRemoving(i))
                removeRow(i);
        });
    }
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(list);
    scroll->setWidgetResizable(true);
    layout->addWidget(scroll, 1);
    status = new QLabel(this);
    status->setTextFormat(Qt::PlainText);
    status->setWordWrap(true);
    layout->addWidget(status);

    askOnClose = [this] {
        QMessageBox box(QMessageBox::Question, QStringLiteral("编辑词语组"),
                        QStringLiteral("有些改动还没有保存（红字的行）。关闭前要怎么办？"), QMessageBox::NoButton, this);
        box.setTextFormat(Qt::PlainText);
        QPushButton *save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
        QPushButton *discard = box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
        box.setDefaultButton(box.addButton(QStringLiteral("继续编辑"), QMessageBox::RejectRole));
        box.exec();
        return box.clickedButton() == save      ? Unsaved::Save
               : box.clickedButton() == discard ? Unsaved::Discard
                                                : Unsaved::Stay;
    };
    askBeforeRemoving = [this](int row) {
        const QString word = setRows.rows()[row].text.trimmed();
        QMessageBox box(QMessageBox::Question, QStringLiteral("编辑词语组"),
                        QStringLiteral("删除第 %1 行%2，连同它的图片和录音？删除后找不回来。")
                            .arg(row + 1)
                            .arg(word.isEmpty() ? QString() : QStringLiteral("“%1”").arg(word)),
                        QMessageBox::NoButton, this);
        box.setTextFormat(Qt::PlainText);
        QPushButton *remove = box.addButton(QStringLiteral("删除"), QMessageBox::DestructiveRole);
        box.setDefaultButton(box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole));
        box.exec();
        return box.clickedButton() == remove;
    };
    captureTimer.setInterval(100);
    connect(&captureTimer, &QTimer::timeout, this, [this] { takeRecording(); });
    for (int i = 0; i < wordRows.size(); ++i)
        wordRows[i]->setText(setRows.rows()[i].text);
    showRows();
    showStatus(setRows.check());
}

SetEditor::~SetEditor()
{
    // A recording under way is kept, not lost with the window.
    stopRecording();
    player.stop();
}

void SetEditor::takeWords()
{
    for (int i = 0; i < wordRows.size(); ++i)
        setRows.setText(i, wordRows[i]->wordEdit->text());
}

void SetEditor::showRows()
{
    const QList<SetRows::Row> &rows = setRows.rows();
    for (int i = 0; i < wordRows.size(); ++i) {
        const SetRows::Row &row = rows[i];
        WordRow *shown = wordRows[i];
        if (shown->wordEdit->text() != row.text)
            shown->setText(row.text);
        shown->showPicture(row.picture);
        shown->showRecording(row.recordingSaved || !row.recording.isEmpty());
        shown->showRecordingRunning(capturing == i);
        if (!row.problem.isEmpty()) {
            const bool media = row.pictureUnsaved || !row.recording.isEmpty();
            shown->showProblem(QStringLiteral("未保存：") + row.problem
                               + (media ? QStringLiteral("（新的图片或录音也等这一行能保存时再保存）") : QString()));
        } else if (!row.filesProblem.isEmpty()) {
            shown->showProblem(row.filesProblem);
        } else if (shown->showsProblem()) {
            shown->showNote({});
        }
        shown->upButton->setEnabled(i > 0 && setRows.listProblem().isEmpty());
        shown->downButton->setEnabled(i + 1 < wordRows.size() && setRows.listProblem().isEmpty());
        shown->removeButton->setEnabled(setRows.listProblem().isEmpty() && (!row.blank() || row.hasMedia()));
        shown->insertButton->setEnabled(setRows.listProblem().isEmpty() && rows.constLast().blank()
                                        && !rows.constLast().hasMedia());
    }
}

void SetEditor::showStatus(const QString &problem)
{
    const int count = setRows.wordCount();
    if (!setRows.listProblem().isEmpty())
        status->setText(setRows.listProblem());
    else if (!problem.isEmpty())
        status->setText(QStringLiteral("未保存：") + problem);
    else if (count < ownsets::minWords)
        status->setText(QStringLiteral("已有 %1 个词，还差 %2 个才能玩。").arg(count).arg(ownsets::minWords - count));
    else
        status->setText(QStringLiteral("已有 %1 个词。").arg(count));
}

// Names at once what keeps a row from being saved: a word too wide for the
// word label or repeated. The rows below are saved all the same.
void SetEditor::checkWords()
{
    takeWords();
    showStatus(setRows.check());
    showRows();
}

QString SetEditor::saveWords()
{
    takeWords();
    return saveRows();
}

QString SetEditor::saveRows()
{
    const int writes = setRows.writes();
    const QString problem = setRows.save();
    showRows();
    showStatus(problem);
    if (setRows.writes() != writes)
        emit changed();
    return problem;
}

bool SetEditor::hasUnsavedChanges()
{
    takeWords();
    return setRows.hasUnsaved();
}

QString SetEditor::stored(int row, const QString &problem, const QString &saved)
{
    showRows();
    if (problem.isEmpty())
        wordRows[row]->showNote(saved);
    else
        wordRows[row]->showProblem(problem);
    showStatus(setRows.check());
    emit changed();
    return problem;
}

QString SetEditor::choosePictureFile(int row, const QString &file)
{
    const ownsets::Contents chosen = ownsets::readChosenFile(file, ownsets::maxPictureBytes);
    const ownsets::Picture picture = ownsets::readPicture(chosen.bytes);
    if (!chosen.problem.isEmpty() || !picture.problem.isEmpty())
        return stored(row,
                      QStringLiteral("图片没有用上：%1 %2")
                          .arg(QFileInfo(file).fileName(), chosen.problem.isEmpty() ? picture.problem : chosen.problem),
                      {});
    return choosePicture(row, picture.image);
}

QString SetEditor::choosePicture(int row, const QImage &picture)
{
    takeWords();
    if (picture.isNull())
        return stored(row, QStringLiteral("图片没有用上：图片是空的"), {});
    return stored(row, setRows.setPicture(row, picture), QStringLiteral("图片已保存。"));
}

QString SetEditor::chooseSoundFile(int row, const QString &file)
{
    const ownsets::Contents chosen = ownsets::readChosenFile(file, ownsets::maxRecordingBytes);
    const ownsets::Recording recording = ownsets::convertRecording(chosen.bytes, file);
    if (!chosen.problem.isEmpty() || !recording.problem.isEmpty())
        return stored(row,
                      QStringLiteral("声音没有用上：%1 %2")
                          .arg(QFileInfo(file).fileName(), chosen.problem.isEmpty() ? recording.problem : chosen.problem),
                      {});
    takeWords();
    return stored(row, setRows.setRecording(row, recording.wave),
                  QStringLiteral("声音已保存（去掉了前后的静音，音量已调整）。"));
}

QString SetEditor::moveRow(int from, int to)
{
    stopRecording();
    takeWords();
    if (!setRows.moveRow(from, to))
        return setRows.listProblem();
    return saveRows();
}

QString SetEditor::removeRow(int row)
{
    stopRecording();
    takeWords();
    if (!setRows.removeRow(row))
        return setRows.listProblem();
    return saveRows();
}

QString SetEditor::insertRow(int row)
{
    stopRecording();
    takeWords();
    if (!setRows.insertRow(row))
        return QStringLiteral("最多 %1 个词：最后一行空着才能插入。").arg(ownsets::maxWords);
    return saveRows();
}

void SetEditor::closeDiscarding()
{
    discarding = true;
    close();
}

void SetEditor::closeEvent(QCloseEvent *event)
{
    stopRecording();
    if (discarding || !hasUnsavedChanges())
        return event->accept();
    switch (askOnClose()) {
    case Unsaved::Save:
        // Rows that still cannot be saved say why, and the window stays.
        if (saveWords().isEmpty() && !setRows.hasUnsaved())
            return event->accept();
        break;
    case Unsaved::Discard:
        return event->accept();
    case Unsaved::Stay:
        break;
    }
    event->ignore();
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
    const ownsets::Recording recording = ownsets::convertRecording(wave);
    if (wave.isEmpty() || !recording.problem.isEmpty()) {
        stored(row,
               QStringLiteral("录音没有用上：")
                   + (wave.isEmpty() ? QStringLiteral("什么也没录到") : QStringLiteral("录音 ") + recording.problem),
               {});
        return;
    }
    takeWords();
    stored(row, setRows.setRecording(row, recording.wave), QStringLiteral("录音已保存。按“试听”听一听。"));
}

void SetEditor::listen(int row)
{
    heard = setRows.recording(row);
    if (heard.isEmpty() || !player.play(heard, PlayMode::Async))
        wordRows[row]->showProblem(heard.isEmpty() ? QStringLiteral("无法播放：录音读不了")
                                                   : QStringLiteral("无法播放（没有声音设备？）"));
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
    // The patterns are hidden: "*.[wW][aA][vV]" says nothing to a parent.
    const QString filter = QStringLiteral("声音文件（WAV、FLAC、Ogg、Opus、MP3、AIFF） (%1);;所有文件 (*)")
                               .arg(ownsets::anyCasePatterns(ownsets::recordingEndings()).join(u' '));
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("选择声音文件"), QDir::homePath(), filter,
                                                      nullptr, QFileDialog::HideNameFilterDetails);
    if (!file.isEmpty())
        chooseSoundFile(row, file);
}
