#pragma once

#include <QStringView>

#include <optional>

// Reads a whole number the way the board file and the placement strings were
// always read: blanks around it are allowed, a fraction is rounded to the
// nearest whole number with halves going to the even neighbour, and anything
// that is not a number or does not fit in 16 bits fails.
std::optional<qint16> parseInt16(QStringView text);
