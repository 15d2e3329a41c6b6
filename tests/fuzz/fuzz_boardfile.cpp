// Any bytes as a board file: reading never crashes, and whatever was read is
// written back as ten whole rows that read back the same.
#include "leaderboard/boardfile.h"

#include <cstdint>
#include <cstdlib>
#include <cstdio>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// What a name becomes in the file.
QString stored(QString name)
{
    return name.replace(u',', u'，').replace(u'\r', u' ').replace(u'\n', u' ');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray file(reinterpret_cast<const char *>(data), qsizetype(size));

    // The board of an earlier showing: fields that cannot be read keep these.
    Board board;
    for (size_t i = 0; i < 11; ++i) {
        board.boardNames[i] = QStringLiteral("earlier");
        board.boardScores[i] = qint16(7 * i);
    }
    readBoardText(file, board);
    for (const QString &name : board.boardNames)
        check(!name.contains(u'\r') && !name.contains(u'\n'), "line end inside a name");

    // A new result and its name, taken from the same bytes.
    const qint32 score = size >= 4 ? qint32(quint32(data[0]) | quint32(data[1]) << 8
                                            | quint32(data[2]) << 16 | quint32(data[3]) << 24)
                                   : qint32(size);
    const QString name = QString::fromUtf8(file.right(24));

    const qint16 rank = rankOf(board, score);
    check(rank >= -1 && rank <= 9, "rank out of range");
    for (int i = 0; i < 10; ++i) {
        if (rank >= 0 && i == rank)
            check(score > board.boardScores[size_t(i)], "ranked above an equal or higher row");
        if (rank < 0 || i < rank)
            check(score <= board.boardScores[size_t(i)], "a lower row above the place");
    }

    const qint16 row = rank >= 0 ? rank : qint16(size % 10);
    const QByteArray written = boardFileContent(board, row, name, score);
    check(written.count("\r\n") == 10 && written.endsWith("\r\n"), "not ten CR LF lines");
    check(written.count('\r') == 10 && written.count('\n') == 10, "stray line end");

    Board back;
    readBoardText(written, back);
    for (int i = 0; i < 10; ++i) {
        const int from = i < row ? i : i - 1;
        const QString expectName = i == row ? stored(name) : board.boardNames[size_t(from)];
        const qint32 expectScore = i == row ? score : board.boardScores[size_t(from)];
        // A name the name box would have let through comes back as it went in.
        if ((i == row && fitsBoardFile(name)) || (i != row && fitsBoardFile(expectName)))
            check(back.boardNames[size_t(i)] == expectName, "name changed on the way");
        if (expectScore >= -32768 && expectScore <= 32767)
            check(back.boardScores[size_t(i)] == expectScore, "score changed on the way");
    }
    check(back.boardNames[10].isEmpty(), "an eleventh row was written");
    return 0;
}
