// Any bytes as a part of a set of one's own (the first byte says which:
// words.txt, set.ini, a picture or a recording): reading never crashes or
// stalls, and what it gives keeps the reader's promises.
#include "ownsets/ownmedia.h"
#include "ownsets/setreader.h"

#include <QBuffer>
#include <QCoreApplication>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define CHECK(condition) \
    if (!(condition)) { std::fprintf(stderr, "broken: %s\n", #condition); std::abort(); }

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
    if (data[0] % 4 == 0) {
        const ownsets::WordList list = ownsets::parseWordList(bytes, [](const QString &w) { return w.size() <= 20; });
        const bool usable = list.problem.isEmpty();
        // A list not read as text gives no words, so that nothing writes them back.
        CHECK(!list.refused || (list.words.isEmpty() && !usable));
        CHECK(!usable || (list.words.size() >= ownsets::minWords && list.words.size() <= ownsets::maxWords));
        CHECK(!usable || std::all_of(list.words.begin(), list.words.end(), [](const QString &w) {
                  return !w.isEmpty() && w.size() <= 20 && w == w.trimmed();
              }));
    } else if (data[0] % 4 == 1) {
        CHECK(!ownsets::parseSetName(bytes).contains(u'\n'));
    } else if (data[0] % 4 == 2) {
        const ownsets::Picture picture = ownsets::readPicture(bytes);
        CHECK(picture.image.isNull() != picture.problem.isEmpty());
        CHECK(qMax(picture.image.width(), picture.image.height()) <= ownsets::keptPictureSide);
        // A listing checks the header only: what it refuses never decodes.
        QBuffer device(&bytes);
        device.open(QIODevice::ReadOnly);
        CHECK(ownsets::checkPictureHeader(device).isEmpty() || !picture.problem.isEmpty());
    } else {
        const auto [wave, problem] = ownsets::convertRecording(bytes);
        CHECK(wave.isEmpty() != problem.isEmpty());
        CHECK(wave.isEmpty() || (wave.startsWith("RIFF") && wave.size() < 44 + 2 * 22050 * 11));
    }
    return 0;
}
