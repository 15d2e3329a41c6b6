#include "wordeditor/mywordspage.h"

#include "leaderboard/boardlocation.h"
#include "sound/sdlsoundplayer.h"
#include "ownsets/ownwordset.h"
#include "ownsets/setwriter.h"
#include "wordeditor/newsetdialog.h"
#include "wordeditor/seteditor.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int IdRole = Qt::UserRole;

QString lineOf(const ownsets::Folder &set)
{
    // Words of a list that cannot be read as a whole are not counted as usable.
    QString line = set.problem.isEmpty()
                       ? QStringLiteral("%1（%2）  %3 个词能用").arg(set.name, set.id).arg(set.usableWords())
                       : QStringLiteral("%1（%2）").arg(set.name, set.id);
    const QString wrong = set.whatIsWrong();
    if (!wrong.isEmpty())
        line += QStringLiteral("\n    还不能玩：") + wrong;
    return line;
}
} // namespace

MyWordsPage::MyWordsPage(QWidget *parent, SoundPlayer *player, QString setsFolder, QString boardFolder)
    : QWidget(parent)
    , setsFolder(std::move(setsFolder))
    , boardFolder(boardFolder.isEmpty() ? BoardLocation::defaultDataFolder() : std::move(boardFolder))
    , player(player)
{
    list = new QListWidget(this);
    list->setWordWrap(true);
    list->setTextElideMode(Qt::ElideRight);
    const auto button = [this](const QString &text, void (MyWordsPage::*ask)()) {
        auto *b = new QPushButton(text, this);
        connect(b, &QPushButton::clicked, this, ask);
        return b;
    };
    createButton = button(QStringLiteral("新建…"), &MyWordsPage::askCreate);
    editButton = new QPushButton(QStringLiteral("编辑…"), this);
    connect(editButton, &QPushButton::clicked, this, [this] { editSet(selectedId()); });
    renameButton = button(QStringLiteral("改名…"), &MyWordsPage::askRename);
    deleteButton = button(QStringLiteral("删除…"), &MyWordsPage::askDelete);
    exportButton = button(QStringLiteral("导出…"), &MyWordsPage::askExport);
    importButton = button(QStringLiteral("导入…"), &MyWordsPage::askImport);
    playButton = new QPushButton(QStringLiteral("玩这一组"), this);
    connect(playButton, &QPushButton::clicked, this, [this] { playSet(selectedId()); });
    connect(list, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });
    connect(list, &QListWidget::itemDoubleClicked, this, [this] { editSet(selectedId()); });
    message = new QLabel(this);
    message->setTextFormat(Qt::PlainText);
    message->setWordWrap(true);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *b : {createButton, editButton, renameButton, deleteButton, exportButton, importButton, playButton})
        buttons->addWidget(b);
    buttons->addStretch();
    auto *top = new QHBoxLayout;
    top->addWidget(list, 1);
    top->addLayout(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(message);

    askOnConflict = [this](const QString &id) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("导入词语组"),
                        QStringLiteral("已经有文件夹名为“%1”的词语组了。要怎么办？").arg(id), QMessageBox::NoButton, this);
        box.setTextFormat(Qt::PlainText);
        QPushButton *replace = box.addButton(QStringLiteral("替换原来的"), QMessageBox::DestructiveRole);
        QPushButton *both = box.addButton(QStringLiteral("两个都保留（换个文件夹名）"), QMessageBox::AcceptRole);
        box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        box.exec();
        return box.clickedButton() == replace ? ownsets::OnConflict::Replace
               : box.clickedButton() == both  ? ownsets::OnConflict::KeepBoth
                                              : ownsets::OnConflict::Cancel;
    };
    askBeforeReplacingEdited = [this](const QString &id) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("导入词语组"),
                        QStringLiteral("“%1”正在编辑，还有没保存的改动。替换前要怎么办？").arg(id),
                        QMessageBox::NoButton, this);
        box.setTextFormat(Qt::PlainText);
        QPushButton *save = box.addButton(QStringLiteral("保存"), QMessageBox::AcceptRole);
        QPushButton *discard = box.addButton(QStringLiteral("不保存"), QMessageBox::DestructiveRole);
        box.setDefaultButton(box.addButton(QStringLiteral("取消导入"), QMessageBox::RejectRole));
        box.exec();
        return box.clickedButton() == save      ? SetEditor::Unsaved::Save
               : box.clickedButton() == discard ? SetEditor::Unsaved::Discard
                                                : SetEditor::Unsaved::Stay;
    };
    runDialog = [](NewSetDialog &dialog) { return dialog.exec() == QDialog::Accepted; };
}

MyWordsPage::~MyWordsPage()
{
    // The editor plays through this page's player: it goes first, without
    // asking this page, half gone, to list the sets again.
    if (editor) {
        editor->disconnect(this);
        delete editor;
    }
}

void MyWordsPage::fill()
{
    if (filled)
        return;
    const QSignalBlocker quiet(this);
    refresh();
}

void MyWordsPage::showEvent(QShowEvent *event)
{
    fill();
    QWidget::showEvent(event);
}

const QList<ownsets::Folder> &MyWordsPage::sets()
{
    fill();
    return folders;
}

void MyWordsPage::refresh(const QString &id)
{
    filled = true;
    const QString keep = selectedId();
    const auto read = [this](const QString &id) {
        // Listed, not read whole: a folder of photos must not hold the page up.
        return ownsets::listFolder(QDir(setsFolder).filePath(id), ownsets::fitsWordLabel);
    };
    // The editor's changes touch one set: the others need not be read again.
    const auto it = std::find_if(folders.begin(), folders.end(), [&](const ownsets::Folder &f) { return f.id == id; });
    if (!id.isEmpty() && it != folders.end()) {
        *it = read(id);
    } else {
        folders.clear();
        const QStringList ids = QDir(setsFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name);
        // A folder whose name is no id is listed too, with how to mend it.
        for (const QString &each : ids)
            folders.append(read(each));
    }
    list->clear();
    for (const ownsets::Folder &set : std::as_const(folders)) {
        auto *item = new QListWidgetItem(lineOf(set), list);
        item->setData(IdRole, set.id);
        if (!set.playable())
            item->setForeground(QColor(0x90, 0x30, 0x30));
    }
    if (folders.isEmpty())
        say(QStringLiteral("还没有自己的词语组。按“新建…”做一组：输入单词，配上图片和自己的录音。"));
    select(keep);
    updateButtons();
    emit setsChanged();
}

QString MyWordsPage::selectedId() const
{
    const QListWidgetItem *item = list->currentItem();
    return item ? item->data(IdRole).toString() : QString();
}

void MyWordsPage::select(const QString &id)
{
    fill();
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->data(IdRole).toString() == id)
            list->setCurrentRow(i);
}

const ownsets::Folder *MyWordsPage::folder(const QString &id) const
{
    const auto it = std::find_if(folders.begin(), folders.end(), [&](const ownsets::Folder &f) { return f.id == id; });
    return it == folders.end() ? nullptr : &*it;
}

void MyWordsPage::updateButtons()
{
    const ownsets::Folder *set = folder(selectedId());
    // A folder of a name that is no id is the grown-up's to rename first.
    for (QPushButton *b : {editButton, renameButton, deleteButton, exportButton})
        b->setEnabled(set && ownsets::isValidId(set->id));
    playButton->setEnabled(set && set->playable());
}

void MyWordsPage::say(const QString &text, bool problem)
{
    message->setStyleSheet(problem ? QStringLiteral("color: #b00000;") : QString());
    message->setText(text);
}

QString MyWordsPage::createSet(const QString &name, const QString &id, QString *madeId)
{
    const QString shown = name.simplified();
    QString newId = id;
    if (newId.isEmpty()) {
        newId = ownsets::idFromName(shown);
        if (newId.isEmpty())
            return QStringLiteral("请给这组词一个文件夹名（英文字母、数字和 -）。");
        newId = ownsets::freeId(newId, setsFolder);
    }
    const QString problem = ownsets::createSet(newId, shown.isEmpty() ? newId : shown, setsFolder);
    if (!problem.isEmpty()) {
        say(problem, true);
        return problem;
    }
    if (madeId)
        *madeId = newId;
    refresh();
    select(newId);
    say(QStringLiteral("已新建“%1”（文件夹名 %2）。").arg(shown, newId));
    return {};
}

QString MyWordsPage::renameSet(const QString &id, const QString &name)
{
    const QString problem = ownsets::renameSet(id, name, setsFolder);
    say(problem.isEmpty() ? QStringLiteral("已改名为“%1”，文件夹名仍是 %2。").arg(name.simplified(), id) : problem,
        !problem.isEmpty());
    refresh();
    return problem;
}

QString MyWordsPage::deleteSet(const QString &id)
{
    if (editor && editedId == id)
        editor->closeDiscarding();
    const QString problem = ownsets::removeSet(id, setsFolder, boardFolder);
    say(problem.isEmpty() ? QStringLiteral("已删除“%1”。学习记录仍保留。").arg(id) : problem, !problem.isEmpty());
    refresh();
    if (problem.isEmpty())
        emit setDeleted(id);
    return problem;
}

QString MyWordsPage::exportSet(const QString &id, const QString &file, ownsets::Existing existing)
{
    const QString problem = ownsets::exportSet(id, file, ownsets::fitsWordLabel, setsFolder, existing);
    // The archive's own message names the set or the file and says why.
    say(problem.isEmpty() ? QStringLiteral("已导出到 %1。").arg(file) : problem, !problem.isEmpty());
    return problem;
}

QString MyWordsPage::importFile(const QString &file)
{
    ownsets::Import result = ownsets::importFile(file, ownsets::OnConflict::Ask, setsFolder);
    if (!result.conflict.isEmpty()) {
        ownsets::OnConflict answer = askOnConflict(result.conflict);
        if (answer == ownsets::OnConflict::Replace && editor && editedId == result.conflict) {
            // The editor would write its words over the imported ones: it goes first.
            const SetEditor::Unsaved unsaved = editor->hasUnsavedChanges() ? askBeforeReplacingEdited(result.conflict)
                                                                           : SetEditor::Unsaved::Discard;
            if (unsaved == SetEditor::Unsaved::Save)
                editor->saveWords();
            if (unsaved == SetEditor::Unsaved::Stay)
                answer = ownsets::OnConflict::Cancel;
            else
                editor->closeDiscarding();
        }
        if (answer == ownsets::OnConflict::Cancel) {
            say(QStringLiteral("没有导入，原来的“%1”没有改动。").arg(result.conflict));
            return {};
        }
        result = ownsets::importFile(file, answer, setsFolder);
    }
    if (!result.problem.isEmpty()) {
        say(result.problem, true);
        return result.problem;
    }
    refresh();
    select(result.id);
    say(QStringLiteral("已导入为“%1”。").arg(result.id));
    return {};
}

SetEditor *MyWordsPage::editSet(const QString &id)
{
    fill();
    const ownsets::Folder *set = folder(id);
    if (!set)
        return nullptr;
    // A set folder that is a link is not followed: editing would write elsewhere.
    if (!ownsets::isValidId(id) || QFileInfo(QDir(setsFolder).filePath(id)).isSymLink()) {
        say(set->whatIsWrong(), true);
        return nullptr;
    }
    if (!closeEditor())
        return editor;
    if (!player) {
        ownPlayer = std::make_unique<SdlSoundPlayer>();
        player = ownPlayer.get();
    }
    editor = new SetEditor(QDir(setsFolder).filePath(id), set->name, *player, window());
    editedId = id;
    connect(editor, &SetEditor::changed, this, [this, id] { refresh(id); });
    editor->show();
    return editor;
}

bool MyWordsPage::closeEditor()
{
    if (!editor || editor->close())
        return true;
    editor->raise();
    editor->activateWindow();
    return false;
}

bool MyWordsPage::playSet(const QString &id)
{
    refresh();
    const ownsets::Folder *set = folder(id);
    if (!set || !set->playable()) {
        say(set ? QStringLiteral("“%1”还不能玩：%2").arg(set->name, set->whatIsWrong())
                : QStringLiteral("找不到词语组“%1”。").arg(id),
            true);
        return false;
    }
    emit chosen(std::make_shared<OwnWordSet>(*set));
    say(QStringLiteral("下一局玩“%1”。").arg(set->name));
    return true;
}

void MyWordsPage::askCreate()
{
    NewSetDialog dialog(setsFolder, this);
    QString made;
    dialog.make = [this, &made](const QString &name, const QString &id) { return createSet(name, id, &made); };
    if (runDialog(dialog))
        editSet(made);
}

void MyWordsPage::askRename()
{
    const ownsets::Folder *set = folder(selectedId());
    if (!set)
        return;
    bool ok = false;
    const QString name = QInputDialog::getText(this, QStringLiteral("改名"),
                                               QStringLiteral("新名称（文件夹名 %1 不变）：").arg(set->id),
                                               QLineEdit::Normal, set->name, &ok);
    if (ok && !name.simplified().isEmpty())
        renameSet(set->id, name);
}

void MyWordsPage::askDelete()
{
    const ownsets::Folder *set = folder(selectedId());
    if (!set)
        return;
    const QString id = set->id;
    QMessageBox box(QMessageBox::Question, QStringLiteral("删除词语组"),
                    QStringLiteral("真的删除“%1”（%2）吗？它的图片、录音和排行榜都会删除，学习记录保留。")
                        .arg(set->name, id),
                    QMessageBox::NoButton, this);
    box.setTextFormat(Qt::PlainText); // a name like "<img src=...>" would make Qt open that file
    QPushButton *remove = box.addButton(QStringLiteral("删除"), QMessageBox::DestructiveRole);
    box.setDefaultButton(box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole));
    box.exec();
    if (box.clickedButton() == remove)
        deleteSet(id);
}

void MyWordsPage::askExport()
{
    const QString id = selectedId();
    if (id.isEmpty())
        return;
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("导出词语组"),
                                                      QDir::home().filePath(id + QStringLiteral(".wordnest")),
                                                      QStringLiteral("词语组 (*.wordnest)"));
    if (file.isEmpty())
        return;
    exportSet(id, file, ownsets::Existing::Replace);  // the save dialog asked before replacing
}

void MyWordsPage::askImport()
{
    const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("导入词语组"), QDir::homePath(),
                                                      QStringLiteral("词语组 (*.wordnest);;所有文件 (*)"));
    if (!file.isEmpty())
        importFile(file);
}
