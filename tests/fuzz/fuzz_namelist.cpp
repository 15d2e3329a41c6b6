// Any bytes as a class list: reading never crashes, every name read could be
// a child's, no name is read twice, and every line is either a name, a
// problem or blank, in the file's order.
#include "children/childname.h"
#include "children/namelist.h"

#include <QSet>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView file(data, qsizetype(size));
    const NameList list = NameList::fromBytes(file);
    const qsizetype lines = file.count('\n') + 1;

    QSet<QString> keys;
    int previous = 0;
    for (const NameList::Name &name : list.names) {
        check(name.line > previous && name.line <= lines, "a name's line out of order or range");
        previous = name.line;
        check(children::nameProblem(name.name) == children::NameProblem::None, "a bad name read");
        check(children::trimmedName(name.name) == name.name, "a name not trimmed");
        const QString key = children::nameKey(name.name);
        check(!keys.contains(key), "a name read twice");
        keys.insert(key);
    }
    previous = 0;
    for (const NameList::Problem &problem : list.problems) {
        check(!problem.reason.isEmpty(), "a problem without a reason");
        check(problem.line >= 0 && problem.line <= lines, "a problem's line out of range");
        check(problem.line > previous || (problem.line == 0 && list.problems.size() == 1),
              "problems out of order, or the whole file and a line together");
        previous = problem.line;
        for (const NameList::Name &name : list.names)
            check(name.line != problem.line, "a line both a name and a problem");
    }
    return 0;
}
