#pragma once

#include "wordsets/wordsource.h"

// A word set built into the game: set n's list is string 100 + n and word w's
// picture and recording are catalogue::wordMedia(n, w).
class CatalogueWordSet final : public WordSource
{
public:
    CatalogueWordSet(int number, QString chineseName, QString englishName);

    QString id() const override { return QString::number(number); }
    QString chineseName() const override { return zh; }
    QString englishName() const override { return en; }
    qint16 boardNumber() const override { return qint16(number); }
    QStringList words() const override;
    PictureArt picture(int word) const override;
    QByteArray recording(int word) const override;
    QString meaning(int word) const override;

private:
    int number;
    QString zh;
    QString en;
};
