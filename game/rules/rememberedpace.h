#pragma once

#include "children/childlist.h"
#include "rules/pace.h"

// The pace a grown-up chose in the corner for a child (or, with no children,
// for the game), kept across starts in the game's settings; Standard when none
// was ever chosen or the setting is unknown.
Pace rememberedPace(int child = ChildList::noChild);
void rememberPace(Pace pace, int child = ChildList::noChild);
