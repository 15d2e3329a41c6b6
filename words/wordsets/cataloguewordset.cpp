#include "wordsets/cataloguewordset.h"

#include "catalogue/catalogue.h"

CatalogueWordSet::CatalogueWordSet(int setNumber, QString chineseName, QString englishName)
    : number(setNumber)
    , zh(std::move(chineseName))
    , en(std::move(englishName))
{
}

// Cut at every comma and nothing trimmed, as the round always read it.
QStringList CatalogueWordSet::words() const
{
    const QString list = catalogue::loadString(catalogue::WordList + number);
    return list.isEmpty() ? QStringList() : list.split(u',');
}

// Word indices stay below 1000, so they never reach the next set's ids.
PictureArt CatalogueWordSet::picture(int word) const
{
    if (word < 0 || word >= 1000)
        return {};
    return catalogue::loadPictureArt(catalogue::wordMedia(number, word));
}

QString CatalogueWordSet::meaning(int word) const
{
    return catalogue::loadString(catalogue::WordMeanings + number).split(u',').value(word);
}

QByteArray CatalogueWordSet::recording(int word) const
{
    if (word < 0 || word >= 1000)
        return {};
    return catalogue::loadData(catalogue::wordMedia(number, word), "WAV");
}
