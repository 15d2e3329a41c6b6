#include "wordsets/wordsource.h"

WordKey WordSource::key(int word) const
{
    const QStringList list = words();
    if (word < 0 || word >= list.size())
        return {};
    return {id(), list[word]};
}
