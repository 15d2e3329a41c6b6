#include "children/childlist.h"

#include "catalogue/catalogue.h"
#include "progress/firstchildclaim.h"
#include "progress/progressreader.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>

namespace {

QSettings gameSettings()
{
    return QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest"));
}

const QString nextKey = QStringLiteral("children/next");
const QString currentKey = QStringLiteral("children/current");
const QString listKey = QStringLiteral("children/list");
const QString formerKey = QStringLiteral("children/former");

QList<Child> readArray(QSettings &settings, const QString &key, bool withPicture)
{
    QList<Child> children;
    const int size = settings.beginReadArray(key);
    for (int i = 0; i < size; ++i) {
        settings.setArrayIndex(i);
        Child child{settings.value(QStringLiteral("id")).toInt(), settings.value(QStringLiteral("name")).toString(),
                    withPicture ? settings.value(QStringLiteral("picture")).toInt() : 0};
        // A hand-edited entry without an id or name is no child.
        if (child.id > 0 && !child.name.isEmpty())
            children.append(child);
    }
    settings.endArray();
    return children;
}

void writeArray(QSettings &settings, const QString &key, const QList<Child> &children, bool withPicture)
{
    settings.remove(key);
    settings.beginWriteArray(key, int(children.size()));
    for (int i = 0; i < children.size(); ++i) {
        settings.setArrayIndex(i);
        settings.setValue(QStringLiteral("id"), children[i].id);
        settings.setValue(QStringLiteral("name"), children[i].name);
        if (withPicture)
            settings.setValue(QStringLiteral("picture"), children[i].picture);
    }
    settings.endArray();
}

} // namespace

ChildList::ChildList()
{
    read();
}

void ChildList::read()
{
    QSettings settings = gameSettings();
    settings.sync(); // what another start of the game wrote meanwhile
    list = readArray(settings, listKey, true);
    formerList = readArray(settings, formerKey, false);
    chosen = settings.value(currentKey, noChild).toInt();
    int highest = 0;
    for (const QList<Child> *children : {&list, &formerList})
        for (const Child &child : *children)
            highest = std::max(highest, child.id);
    // An id is never given twice, even when the counter was lost.
    nextId = std::max(settings.value(nextKey, 1).toInt(), highest + 1);
}

bool ChildList::write() const
{
    QSettings settings = gameSettings();
    writeArray(settings, listKey, list, true);
    writeArray(settings, formerKey, formerList, false);
    settings.setValue(nextKey, nextId);
    settings.setValue(currentKey, chosen);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

ChildList::Refusal ChildList::change(const std::function<Refusal(ChildList &)> &edit)
{
    const QString settingsFile = gameSettings().fileName();
    QDir().mkpath(QFileInfo(settingsFile).path());
    QLockFile lock(settingsFile + QStringLiteral(".children-lock"));
    if (!lock.tryLock(2000))
        return Refusal::NotSaved;
    read();
    const Refusal refusal = edit(*this);
    if (refusal != Refusal::None) {
        read();
        return refusal;
    }
    if (!write()) {
        read();
        return Refusal::NotSaved;
    }
    return Refusal::None;
}

std::optional<Child> ChildList::byId(int id) const
{
    for (const Child &child : list)
        if (child.id == id)
            return child;
    return std::nullopt;
}

std::optional<Child> ChildList::byName(const QString &name) const
{
    const QString key = children::nameKey(children::trimmedName(name));
    for (const Child &child : list)
        if (children::nameKey(child.name) == key)
            return child;
    return std::nullopt;
}

QString ChildList::nameOf(int id) const
{
    for (const QList<Child> *children : {&list, &formerList})
        for (const Child &child : *children)
            if (child.id == id)
                return child.name;
    return {};
}

QHash<int, QString> ChildList::names() const
{
    QHash<int, QString> byId;
    for (const QList<Child> *children : {&list, &formerList})
        for (const Child &child : *children)
            byId.insert(child.id, child.name);
    return byId;
}

int ChildList::current() const
{
    if (byId(chosen))
        return chosen;
    return list.isEmpty() ? noChild : list.first().id;
}

ChildList::Refusal ChildList::setCurrent(int id)
{
    return change([id](ChildList &children) {
        if (id != noChild && !children.byId(id))
            return Refusal::Unknown;
        children.chosen = id;
        return Refusal::None;
    });
}

QList<int> ChildList::pictureChoices()
{
    // What a small child knows best first: animals, toys, food, outside,
    // clothes, then the household set's furniture.
    QList<int> pictures;
    for (const int set : {2, 4, 3, 6, 5, 1})
        for (int word = 0; word < 20; ++word)
            pictures.append(catalogue::wordMedia(set, word));
    return pictures;
}

int ChildList::freePicture() const
{
    for (const int picture : pictureChoices())
        if (std::none_of(list.cbegin(), list.cend(), [picture](const Child &c) { return c.picture == picture; }))
            return picture;
    return 0;
}

ChildList::Refusal ChildList::check(const QString &name, int picture, int ignoring) const
{
    if (children::nameProblem(name) != children::NameProblem::None)
        return Refusal::BadName;
    const QString key = children::nameKey(name);
    for (const Child &child : list) {
        if (child.id == ignoring)
            continue;
        if (children::nameKey(child.name) == key)
            return Refusal::NameTaken;
        if (child.picture == picture)
            return Refusal::PictureTaken;
    }
    if (!pictureChoices().contains(picture))
        return Refusal::PictureTaken;
    return Refusal::None;
}

ChildList::Refusal ChildList::add(const QString &typed, int picture, int *added)
{
    const QString name = children::trimmedName(typed);
    firstEver = noChild;
    int id = noChild;
    const Refusal refusal = change([&](ChildList &children) {
        if (children.list.size() >= most)
            return Refusal::Full;
        if (const Refusal bad = children.check(name, picture, noChild); bad != Refusal::None)
            return bad;
        id = children.nextId++;
        if (id == 1)
            children.firstEver = id;
        children.list.append({id, name, picture});
        return Refusal::None;
    });
    if (refusal == Refusal::None && added)
        *added = id;
    if (refusal != Refusal::None)
        firstEver = noChild;
    claimOldAnswers();
    return refusal;
}

// After the settings are written: a claim lost to a crash in between only
// leaves the old answers as no child's.
void ChildList::claimOldAnswers() const
{
    if (firstEver != noChild)
        FirstChildClaim::make(firstEver);
}

ChildList::Refusal ChildList::addAll(const QStringList &names, QList<int> *addedIds)
{
    firstEver = noChild;
    QList<int> ids;
    const Refusal refusal = change([&](ChildList &children) {
        for (const QString &typed : names) {
            const QString name = children::trimmedName(typed);
            if (children::nameProblem(name) != children::NameProblem::None)
                return Refusal::BadName;
            if (children.byName(name))
                continue;
            if (children.list.size() >= most)
                return Refusal::Full;
            const int id = children.nextId++;
            if (id == 1)
                children.firstEver = id;
            children.list.append({id, name, children.freePicture()});
            ids.append(id);
        }
        return Refusal::None;
    });
    if (refusal != Refusal::None) {
        ids.clear();
        firstEver = noChild;
    }
    if (addedIds)
        *addedIds = ids;
    claimOldAnswers();
    return refusal;
}

ChildList::Refusal ChildList::rename(int id, const QString &typed)
{
    const QString name = children::trimmedName(typed);
    return change([&](ChildList &children) {
        const std::optional<Child> child = children.byId(id);
        if (!child)
            return Refusal::Unknown;
        if (const Refusal bad = children.check(name, child->picture, id); bad != Refusal::None)
            return bad;
        for (Child &c : children.list)
            if (c.id == id)
                c.name = name;
        return Refusal::None;
    });
}

ChildList::Refusal ChildList::changePicture(int id, int picture)
{
    return change([&](ChildList &children) {
        const std::optional<Child> child = children.byId(id);
        if (!child)
            return Refusal::Unknown;
        if (const Refusal bad = children.check(child->name, picture, id); bad != Refusal::None)
            return bad;
        for (Child &c : children.list)
            if (c.id == id)
                c.picture = picture;
        return Refusal::None;
    });
}

ChildList::Refusal ChildList::remove(int id, bool keepAnswers)
{
    return change([&](ChildList &children) {
        const std::optional<Child> child = children.byId(id);
        if (!child)
            return Refusal::Unknown;
        if (!keepAnswers && !ProgressReader().forget({id}))
            return Refusal::RecordBusy;
        children.list.removeIf([id](const Child &c) { return c.id == id; });
        if (keepAnswers)
            children.formerList.append({id, child->name, 0});
        QSettings settings = gameSettings();
        settings.remove(settingsKey(id, {}).chopped(1));
        return Refusal::None;
    });
}

QString ChildList::settingsKey(int child, const QString &key)
{
    if (child == noChild)
        return key;
    return QStringLiteral("children/%1/%2").arg(child).arg(key);
}
