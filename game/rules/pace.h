#pragma once

#include <QString>

// How hard the question clock presses. Standard is the game as it always
// was; Slower keeps the first round's clock every round; Untimed lets the
// clock run for the bonus but never takes a chance for slowness.
enum class Pace { Standard, Slower, Untimed };

// The name a pace is kept under, in the settings and in the progress record.
QString paceName(Pace pace);
// Standard for a name that is none of them.
Pace paceNamed(const QString &name);
