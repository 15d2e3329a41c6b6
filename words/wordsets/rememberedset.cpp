#include "wordsets/rememberedset.h"

#include <QSettings>

namespace {
const QString chosenKey = QStringLiteral("words/chosen");
} // namespace

QString rememberedWordSet()
{
    return QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest")).value(chosenKey).toString();
}

void rememberWordSet(const QString &id)
{
    QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest")).setValue(chosenKey, id);
}
