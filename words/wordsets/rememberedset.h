#pragma once

#include <QString>

// The word set a grown-up chose in the corner, kept across starts in the
// game's settings; empty when none was ever chosen.
QString rememberedWordSet();
void rememberWordSet(const QString &id);
