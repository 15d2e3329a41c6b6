#include "rules/rememberedpace.h"

#include <QSettings>

namespace {
const QString paceKey = QStringLiteral("game/pace");
} // namespace

Pace rememberedPace()
{
    return paceNamed(QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest")).value(paceKey).toString());
}

void rememberPace(Pace pace)
{
    QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest")).setValue(paceKey, paceName(pace));
}
