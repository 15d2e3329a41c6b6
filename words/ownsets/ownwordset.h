#pragma once

#include "leaderboard/boardfile.h"
#include "ownsets/setreader.h"
#include "wordsets/wordsource.h"

#include <QList>
#include <QString>
#include <QStringList>

// An own set as the game plays it: only its usable words, in their order.
class OwnWordSet final : public WordSource
{
public:
    explicit OwnWordSet(const ownsets::Folder &folder);

    QString id() const override { return setId; }
    QString chineseName() const override { return name; }
    // The id stands under the name, as the built-in sets' English names do.
    QString englishName() const override { return setId; }
    // Own sets' boards are named, not numbered.
    qint16 boardNumber() const override { return 0; }
    QString boardFileName() const override { return ownBoardFileName(setId); }
    QStringList words() const override;
    // A listed set's pictures come through the picture cache.
    PictureArt picture(int word) const override;
    PictureFile pictureFile(int word) const override;
    QByteArray recording(int word) const override;
    // The folder read again; only the files that changed are decoded. Null
    // when nothing changed since it was read whole, or when a set read whole
    // no longer plays (the game keeps what it has rather than losing its set).
    // A listed set has nothing to keep: it comes back unplayable then.
    std::shared_ptr<const WordSource> refreshed() const override;
    bool playable() const override { return folder.playable(); }
    // As the folder was read: a word's picture or recording missing or refused.
    QList<LeftOutWord> leftOut() const override;

private:
    ownsets::Folder folder;
    QString setId;
    QString name;
    QList<ownsets::Word> usable;
};
