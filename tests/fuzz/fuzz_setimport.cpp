// Any bytes as a set file to import: the import never crashes or stalls,
// writes nothing but a new set folder, and refuses with a reason.
#include "ownwords/setarchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <sndfile.h>

#include <cmath>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QTemporaryDir *place;

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    check(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), "a seed not written");
}

// Seeds for both fuzzers, from a set made here: an exported set file for
// this one, and for fuzz_ownset each part after its selecting byte.
void writeSeeds(const QString &folder)
{
    const QString set = place->filePath("sets/seed");
    QDir().mkpath(set);
    QDir().mkpath(folder + "/import");
    QDir().mkpath(folder + "/ownset");
    const QByteArray words = "cat\ndog\nhen\ncow\npig\nfox\nowl\nbee\nant\nyak\n";
    write(set + "/words.txt", words);
    write(set + "/set.ini", "[set]\nname=seed\n");
    for (int i = 0; i < 10; ++i) {
        const QString stem = QStringLiteral("%1/%2").arg(set).arg(i + 1, 2, 10, QChar('0'));
        QImage picture(40 + i, 30, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(i * 36, 200, 200));
        picture.save(stem + ".png");
        SF_INFO info{0, 8000, 1, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0, 0};
        SNDFILE *sound = sf_open(QFile::encodeName(stem + ".wav").constData(), SFM_WRITE, &info);
        std::vector<short> samples(2000);
        for (size_t t = 0; t < samples.size(); ++t)
            samples[t] = short(t > 400 && t < 1600 ? 8000 * std::sin(t * (0.2 + i * 0.01)) : 0);
        sf_write_short(sound, samples.data(), sf_count_t(samples.size()));
        sf_close(sound);
    }
    check(setarchive::exportSet("seed", folder + "/import/seed.wordnest", [](const QString &) { return true; },
                                place->filePath("sets"))
              .isEmpty(),
          "the seed set not exported");
    const auto part = [&](char which, const QString &file) {
        QFile in(set + '/' + file);
        check(in.open(QIODevice::ReadOnly), "a seed part not read");
        write(folder + "/ownset/" + file, QByteArray(1, which) + in.readAll());
    };
    part(0, "words.txt");
    part(1, "set.ini");
    part(2, "01.png");
    part(3, "01.wav");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv); // image format plugins
    place = new QTemporaryDir;
    if (const QByteArray seeds = qgetenv("WORDNEST_FUZZ_SEEDS"); !seeds.isEmpty()) {
        writeSeeds(QFile::decodeName(seeds));
        delete place;
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString file = place->filePath("in.wordnest");
    const QString sets = place->filePath("sets");
    QFile in(file);
    check(in.open(QIODevice::WriteOnly | QIODevice::Truncate), "no scratch file");
    in.write(reinterpret_cast<const char *>(data), qint64(size));
    in.close();

    const setarchive::Imported imported =
        setarchive::importSet(file, [](const QString &w) { return w.size() <= 20; }, sets);
    check(imported.id.isEmpty() != imported.problem.isEmpty(), "an id and a problem");
    const QStringList left = QDir(sets).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    check(left == (imported.id.isEmpty() ? QStringList() : QStringList{imported.id}), "files beside the new set");
    check(QDir(place->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size() <= 2,
          "files outside the sets");
    QDir(sets).removeRecursively();
    return 0;
}
