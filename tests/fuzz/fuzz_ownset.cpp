// Any bytes as a part of a set of one's own (the first byte says which:
// words.txt, set.ini, a picture or a recording): reading never crashes or
// stalls, and what it gives keeps the reader's promises.
#include "ownwords/ownmedia.h"
#include "ownwords/ownset.h"

#include <QBuffer>
#include <QCoreApplication>

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

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv); // image format plugins
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    switch (data[0] % 4) {
    case 0: {
        const ownset::WordList list = ownset::parseWordList(bytes, [](const QString &w) { return w.size() <= 20; });
        check(!list.problem.isEmpty() || (list.words.size() >= ownset::minWords && list.words.size() <= ownset::maxWords),
              "a usable list of a wrong length");
        for (const QString &word : list.words)
            check(!list.problem.isEmpty() || (!word.isEmpty() && word.size() <= 20), "a usable list with a bad word");
        break;
    }
    case 1:
        check(!ownset::parseSetName(bytes).contains(u'\n'), "a name of two lines");
        break;
    case 2: {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        const ownmedia::Picture picture = ownmedia::readPicture(buffer);
        check(picture.image.isNull() != picture.problem.isEmpty(), "a picture and a problem");
        check(picture.image.width() <= ownmedia::keptPictureSide && picture.image.height() <= ownmedia::keptPictureSide,
              "a picture kept too large");
        break;
    }
    default: {
        const ownmedia::Recording recording = ownmedia::convertRecording(bytes);
        check(recording.wave.isEmpty() != recording.problem.isEmpty(), "a recording and a problem");
        check(recording.wave.isEmpty() || recording.wave.startsWith("RIFF"), "a recording not in WAVE");
        check(recording.wave.size() <= 44 + 22050 * 11, "a recording longer than 10 s");
    }
    }
    return 0;
}
