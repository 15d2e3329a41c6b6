// Any bytes as a set file to import: the import never crashes or stalls,
// writes nothing but a new set folder, and refuses with a reason.
#include "ownsets/setarchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define CHECK(condition) \
    if (!(condition)) { std::fprintf(stderr, "broken: %s\n", #condition); std::abort(); }

static QTemporaryDir *place;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv); // image format plugins
    place = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QFile in(place->filePath("in.wordnest"));
    CHECK(in.open(QIODevice::WriteOnly | QIODevice::Truncate));
    in.write(reinterpret_cast<const char *>(data), qint64(size));
    in.close();
    const QString sets = place->filePath("sets");
    const ownsets::Unpacked imported =
        ownsets::unpackSet(in.fileName(), [](const QString &w) { return w.size() <= 20; }, sets);
    CHECK(imported.id.isEmpty() != imported.problem.isEmpty());
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    CHECK(QDir(sets).entryList(all) == (imported.id.isEmpty() ? QStringList() : QStringList{imported.id}));
    CHECK(QDir(place->path()).entryList(all).size() <= 2);
    QDir(sets).removeRecursively();
    return 0;
}
