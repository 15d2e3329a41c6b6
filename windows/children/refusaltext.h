#pragma once

#include "children/childlist.h"

// Why a change to the children was not made, in the corner's words; empty
// for Refusal::None. A bad name is said by the name's own rules.
QString refusalText(ChildList::Refusal refusal, const QString &name = {});
