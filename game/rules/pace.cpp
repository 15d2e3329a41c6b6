#include "rules/pace.h"

#include <array>
#include <utility>

namespace {
// Names rather than numbers, so a reordered enum keeps what was kept.
const std::array<std::pair<Pace, QLatin1String>, 3> names{{
    {Pace::Standard, QLatin1String("standard")},
    {Pace::Slower, QLatin1String("slower")},
    {Pace::Untimed, QLatin1String("untimed")},
}};
} // namespace

QString paceName(Pace pace)
{
    for (const auto &[each, name] : names)
        if (each == pace)
            return name;
    return names[0].second;
}

Pace paceNamed(const QString &name)
{
    for (const auto &[pace, each] : names)
        if (name == each)
            return pace;
    return Pace::Standard;
}
