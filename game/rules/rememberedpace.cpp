#include "rules/rememberedpace.h"

#include <QSettings>

namespace {
const QString paceKey = QStringLiteral("game/pace");
} // namespace

Pace rememberedPace(int child)
{
    return paceNamed(QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest")).value(ChildList::settingsKey(child, paceKey)).toString());
}

void rememberPace(Pace pace, int child)
{
    QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest")).setValue(ChildList::settingsKey(child, paceKey), paceName(pace));
}
