// Any bytes as a class list: reading never crashes, and every name read could
// be a child's, is trimmed and is read once.
#include "children/childname.h"
#include "children/namelist.h"

#include <QSet>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const NameList list = NameList::fromBytes(QByteArrayView(data, qsizetype(size)));
    QSet<QString> keys;
    for (const NameList::Name &name : list.names) {
        keys.insert(children::nameKey(name.name));
        if (children::nameProblem(name.name) != children::NameProblem::None
            || children::trimmedName(name.name) != name.name || keys.size() != qsizetype(&name - list.names.data() + 1))
            std::abort();
    }
    return 0;
}
