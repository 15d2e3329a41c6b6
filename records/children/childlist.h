#pragma once

#include "children/childname.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QString>

#include <functional>
#include <optional>

// A child who plays: a name and a picture, both theirs alone, and an id that
// never changes and is never given again; the progress record keeps the id.
struct Child
{
    int id = 0;
    QString name;
    int picture = 0; // the catalogue's number of a built-in word picture
};

// The children of the user's settings. Read whole when made; each change is
// written at once under a lock file, over the settings as they are then, so a
// change made meanwhile by another start of the game is not lost.
// With no child the game plays as "no child" (id 0), as it always did.
class ChildList
{
public:
    static constexpr int noChild = 0;
    // One picture each, out of the built-in sets' pictures.
    static constexpr int most = 120;

    enum class Refusal {
        None,
        BadName,      // see nameProblem()
        NameTaken,    // another child has it (case and normalisation aside)
        PictureTaken, // or not one of pictureChoices()
        Full,         // `most` children already
        Unknown,      // no child has this id
        NotSaved,     // the settings could not be written (read-only, or the lock is held too long)
        RecordBusy,   // the progress record could not be changed (in use, damaged, or newer): nothing changed
    };

    ChildList();
    // The settings as they are now.
    static ChildList load() { return ChildList(); }

    const QList<Child> &children() const { return list; }
    bool isEmpty() const { return list.isEmpty(); }
    std::optional<Child> byId(int id) const;
    // By the name as a grown-up types it: trimmed, case and normalisation aside.
    std::optional<Child> byName(const QString &name) const;
    // Removed children whose answers were kept, with the names they had.
    const QList<Child> &former() const { return formerList; }
    // The name of a child or former child; empty for noChild or an unknown id.
    QString nameOf(int id) const;
    // Every child's and former child's name by id.
    QHash<int, QString> names() const;

    // The child who plays, as last chosen; noChild with no children. A chosen
    // child who was removed gives way to the first child.
    int current() const;
    Refusal setCurrent(int id);

    // The built-in word pictures a child may have, animals and toys first.
    static QList<int> pictureChoices();
    // The first picture no child has; 0 when every one is taken.
    int freePicture() const;

    // `name` is trimmed first. `added` gets the new child's id. The first
    // child ever added takes over the answers recorded so far (those of no
    // child) in the progress record, at once or, while the record is busy,
    // when the game's recorder next starts a game.
    Refusal add(const QString &name, int picture, int *added = nullptr);
    // Adds the names in order, each with the first free picture; names a
    // child already has are skipped. Refused whole (nothing added) if a name
    // is bad or the list would grow beyond `most`. `addedIds` gets the new ids.
    // The first child ever added takes over the answers of no child, as with add().
    Refusal addAll(const QStringList &names, QList<int> *addedIds = nullptr);
    Refusal rename(int id, const QString &name);
    Refusal changePicture(int id, int picture);
    // With keepAnswers the child becomes a former child (their answers stay
    // under that name); without, their games and answers are deleted from the
    // progress record first, and the child stays if that fails (RecordBusy).
    // The child's own settings (chosen set, pace) go either way.
    Refusal remove(int id, bool keepAnswers);

    // True once a child was ever added: answers recorded before that belong to
    // the first child (see add()).
    bool everHadChildren() const { return nextId > 1; }
    // The id of the child whose adding was the first ever, during the last
    // add()/addAll() of this object; noChild otherwise.
    int addedFirstEver() const { return firstEver; }

    // A setting of one child (`key` such as "words/chosen"); with noChild the
    // one setting the game has without children.
    static QString settingsKey(int child, const QString &key);

private:
    Refusal change(const std::function<Refusal(ChildList &)> &edit);
    void read();
    bool write() const;
    Refusal check(const QString &name, int picture, int ignoring) const;
    void claimOldAnswers() const;

    QList<Child> list;
    QList<Child> formerList;
    int chosen = noChild;
    int nextId = 1;
    int firstEver = noChild;
};
