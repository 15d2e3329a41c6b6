#pragma once

#include <QFont>
#include <QStringList>

// The game's bold "宋体" at the given size. Linux never has that font under
// its name, so the nearest CJK fonts stand behind it.
inline QFont songFont(double points)
{
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}
