#pragma once

#include <QString>

#include "children/childlist.h"

// The word set a grown-up chose in the corner for a child (or, with no
// children, for the game), kept across starts in the game's settings; empty
// when none was ever chosen.
QString rememberedWordSet(int child = ChildList::noChild);
void rememberWordSet(const QString &id, int child = ChildList::noChild);
