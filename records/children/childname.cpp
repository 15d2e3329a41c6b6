#include "children/childname.h"

#include <QCoreApplication>
#include <QTextBoundaryFinder>

namespace children {

QString trimmedName(const QString &typed)
{
    return typed.trimmed();
}

int seenLength(const QString &text)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (graphemes.toNextBoundary() > 0)
        ++count;
    return count;
}

NameProblem nameProblem(const QString &name)
{
    if (name.isEmpty())
        return NameProblem::Empty;
    for (const QChar c : name) {
        const QChar::Category category = c.category();
        // Tabs, line breaks and the other controls; the Unicode line and paragraph separators too.
        if (category == QChar::Other_Control || category == QChar::Separator_Line
            || category == QChar::Separator_Paragraph)
            return NameProblem::ControlCharacter;
    }
    if (seenLength(name) > longestName)
        return NameProblem::TooLong;
    return NameProblem::None;
}

QString nameKey(const QString &name)
{
    // Folding can undo the composition, so compose again afterwards.
    return name.normalized(QString::NormalizationForm_C).toCaseFolded().normalized(QString::NormalizationForm_C);
}

QString chineseReason(NameProblem problem)
{
    switch (problem) {
    case NameProblem::None:
        return {};
    case NameProblem::Empty:
        return QStringLiteral("请写上孩子的名字。");
    case NameProblem::TooLong:
        return QStringLiteral("名字最多 %1 个字。").arg(longestName);
    case NameProblem::ControlCharacter:
        return QStringLiteral("名字里不能有换行或制表符。");
    }
    return {};
}

QString englishReason(NameProblem problem)
{
    switch (problem) {
    case NameProblem::None:
        return {};
    case NameProblem::Empty:
        return QCoreApplication::translate("ChildName", "the name is empty");
    case NameProblem::TooLong:
        return QCoreApplication::translate("ChildName", "the name is longer than %1 characters").arg(longestName);
    case NameProblem::ControlCharacter:
        return QCoreApplication::translate("ChildName", "the name holds a tab, a line break or another control character");
    }
    return {};
}

} // namespace children
