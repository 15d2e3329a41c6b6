#pragma once

#include <QString>

// What a child's name may be: 1 to 16 characters as a reader counts them
// (a letter with its accents, an emoji with its joiners: one each), in any
// script, without control characters, tabs or line breaks, trimmed.
namespace children {

constexpr int longestName = 16;

enum class NameProblem { None, Empty, TooLong, ControlCharacter };

// The name as it is kept: trimmed of white space at both ends.
QString trimmedName(const QString &typed);
// What is wrong with a trimmed name; None when it can be a child's name.
NameProblem nameProblem(const QString &name);
// The characters a reader sees: grapheme clusters.
int seenLength(const QString &text);
// Two names are one when their keys are equal: NFC, then case-folded.
QString nameKey(const QString &name);

// Why a name cannot be taken, for the grown-ups' corner and for the command line.
QString chineseReason(NameProblem problem);
QString englishReason(NameProblem problem);

} // namespace children
