#include "rules/rememberedpace.h"

#include <QSettings>

#include <array>
#include <utility>

namespace {
const QString paceKey = QStringLiteral("game/pace");

// Names rather than numbers, so a reordered enum keeps what was chosen.
const std::array<std::pair<Pace, QLatin1String>, 3> names{{
    {Pace::Standard, QLatin1String("standard")},
    {Pace::Slower, QLatin1String("slower")},
    {Pace::Untimed, QLatin1String("untimed")},
}};
} // namespace

Pace rememberedPace()
{
    const QString stored = QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest")).value(paceKey).toString();
    for (const auto &[pace, name] : names)
        if (stored == name)
            return pace;
    return Pace::Standard;
}

void rememberPace(Pace pace)
{
    for (const auto &[each, name] : names)
        if (each == pace)
            QSettings(QStringLiteral("wordnest"), QStringLiteral("wordnest")).setValue(paceKey, QString(name));
}
