#pragma once

#include "ownsets/setarchive.h"
#include "wordeditor/seteditor.h"
#include "wordsets/wordsets.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QListWidget;
class NewSetDialog;
class QPushButton;
class SoundPlayer;

// The corner's "my words": the own sets, what each lacks, and making,
// renaming, deleting, editing, sharing and playing them. The buttons ask
// the grown-up (names, files, confirmations) and then call the functions
// below, which tests call directly.
class MyWordsPage : public QWidget
{
    Q_OBJECT
public:
    // `player` plays recordings back; without one the page makes the game's
    // own SDL player when first needed.
    explicit MyWordsPage(QWidget *parent = nullptr, SoundPlayer *player = nullptr,
                         QString setsFolder = ownsets::setsFolder(), QString boardFolder = {});
    ~MyWordsPage() override;

    // Lists the sets again from disk; only set `id` when one is named.
    void refresh(const QString &id = {});
    const QList<ownsets::Folder> &sets();
    QString selectedId() const;
    void select(const QString &id);

    // Empty on success, else the message shown. An empty `id` is made from
    // the name; `madeId` answers the id used.
    QString createSet(const QString &name, const QString &id = {}, QString *madeId = nullptr);
    QString renameSet(const QString &id, const QString &name);
    QString deleteSet(const QString &id);
    QString exportSet(const QString &id, const QString &file,
                      ownsets::Existing existing = ownsets::Existing::Keep);
    // `askOnConflict` answers when the archive's set exists already.
    QString importFile(const QString &file);
    std::function<ownsets::OnConflict(const QString &id)> askOnConflict;
    // Before a replace of the set open in the editor with changes not saved:
    // save them, drop them, or (Stay) cancel the import. The editor closes.
    std::function<SetEditor::Unsaved(const QString &id)> askBeforeReplacingEdited;
    // Shows the new-set dialog until it is accepted or cancelled; true when accepted.
    std::function<bool(NewSetDialog &)> runDialog;
    // Opens the editor of set `id`.
    SetEditor *editSet(const QString &id);
    // Closes the editor, which asks first about changes not saved; false
    // when it stays open (it then comes to the front).
    bool closeEditor();
    // Makes set `id` the next game's; false with a message when it cannot play.
    bool playSet(const QString &id);

    QListWidget *list = nullptr;
    QPushButton *createButton = nullptr;
    QPushButton *editButton = nullptr;
    QPushButton *renameButton = nullptr;
    QPushButton *deleteButton = nullptr;
    QPushButton *exportButton = nullptr;
    QPushButton *importButton = nullptr;
    QPushButton *playButton = nullptr;
    QLabel *message = nullptr;

signals:
    void chosen(WordSets::Set set);
    // The sets on disk may have changed (listed again).
    void setsChanged();
    void setDeleted(const QString &id);

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The corner opens with this page hidden: it lists the sets when first
    // shown or asked, quietly, as nothing has changed for the other pages.
    void fill();
    void say(const QString &text, bool problem = false);
    void updateButtons();
    void askCreate();
    void askRename();
    void askDelete();
    void askExport();
    void askImport();
    const ownsets::Folder *folder(const QString &id) const;

    QString setsFolder;
    QString boardFolder;
    SoundPlayer *player;
    std::unique_ptr<SoundPlayer> ownPlayer;
    QList<ownsets::Folder> folders;
    bool filled = false;
    QPointer<SetEditor> editor;
    QString editedId;
};
