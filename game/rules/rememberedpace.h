#pragma once

#include "rules/pace.h"

// The pace a grown-up chose in the corner, kept across starts in the game's
// settings; Standard when none was ever chosen or the setting is unknown.
Pace rememberedPace();
void rememberPace(Pace pace);
