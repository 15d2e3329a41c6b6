#include "wordsets/rememberedset.h"

#include <QSettings>

namespace {
const QString chosenKey = QStringLiteral("words/chosen");
} // namespace

QString rememberedWordSet(int child)
{
    return QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest")).value(ChildList::settingsKey(child, chosenKey)).toString();
}

void rememberWordSet(const QString &id, int child)
{
    QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest")).setValue(ChildList::settingsKey(child, chosenKey), id);
}
