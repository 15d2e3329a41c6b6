#pragma once

#include <QString>

#include <optional>

// Why the game cannot open a window here, if it cannot: Qt ends a start
// without a window system in an abort (and a core dump), where a start from
// a text console or over ssh deserves a plain message.
std::optional<QString> missingDisplay();
