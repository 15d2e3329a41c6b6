#include "leaderboard/boardfile.h"

#include "catalogue/textnumber.h"
#include "text/gbk.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// A board file is ten short lines. Anything past this many bytes cannot
// belong to the first eleven lines of a file the game wrote, and a junk file
// of any size costs no more than this to read.
constexpr qint64 readLimit = 64 * 1024;
constexpr size_t rowsRead = 11;

// The file is in GBK, the code page the game always used; the name box
// keeps out what GBK lacks.
QByteArray row(const QString &name, qint32 score)
{
    return toGbk(name) + ',' + QByteArray::number(score) + "\r\n";
}

bool writeAtomically(const QString &path, const QByteArray &content)
{
    // Unbuffered, so a short write shows up here: a buffered QSaveFile loses
    // the error of its final flush and commits a cut-off file (Qt 6.4).
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

QString composeBoardPath(const QString &sPath, qint16 grd)
{
    const QString name = grd == trickyBoard ? QStringLiteral("-tricky") : QString::number(grd);
    return sPath + QStringLiteral("kivora") + name + QStringLiteral(".tmp");
}

QString ownBoardFileName(const QString &setId)
{
    return QStringLiteral("kivora-%1.tmp").arg(setId);
}

bool boardFileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

std::optional<QByteArray> readBoardBytes(const QString &path)
{
    // Only a plain file: opening a FIFO put in its place would wait for a
    // writer forever, and a device could be read without end.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(readLimit);
}

bool loadBoard(const QString &path, Board &board)
{
    const std::optional<QByteArray> bytes = readBoardBytes(path);
    if (bytes)
        readBoardText(*bytes, board);
    return bytes.has_value();
}

void readBoardText(const QByteArray &all, Board &board)
{
    const QByteArrayView bytes = QByteArrayView(all).first(qMin(all.size(), qsizetype(readLimit)));
    qsizetype start = 0;
    // A line end at the very end makes no empty line.
    for (size_t i = 0; i < rowsRead && start < bytes.size(); ++i) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        const QString line = fromGbk(bytes.sliced(start, end - start));
        if (end + 1 < bytes.size() && bytes[end] == '\r' && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;

        const qsizetype comma = line.indexOf(u',');
        if (comma >= 0)
            board.boardNames[i] = line.left(comma);
        // No comma: the whole line is the score.
        if (auto score = parseInt16(QStringView(line).mid(comma + 1)))
            board.boardScores[i] = *score;
    }
}

qint16 rankOf(const Board &board, qint32 score)
{
    qint16 rank = -1;
    for (int i = 9; i >= 0; --i)
        if (score > board.boardScores[size_t(i)])
            rank = qint16(i);
    return rank;
}

void setDefaultBoard(Board &board)
{
    for (size_t i = 0; i < 10; ++i) {
        board.boardNames[i] = QStringLiteral("0");
        board.boardScores[i] = 0;
    }
}

bool createDefaultBoard(const QString &path, Board &board)
{
    setDefaultBoard(board);
    QByteArray content;
    for (size_t i = 0; i < 10; ++i)
        content += row(board.boardNames[i], board.boardScores[i]);
    return writeAtomically(path, content);
}

QByteArray boardFileContent(const Board &board, qint16 newRank, const QString &name, qint32 score)
{
    if (newRank < 0 || newRank > 9)
        return {};
    // The format has no escape for the comma that ends a name: a full-width
    // one reads back as the same name. The name box lets no line break in;
    // should one come from elsewhere, it must not split the row.
    QString stored = name;
    stored.replace(u',', u'，').replace(u'\r', u' ').replace(u'\n', u' ');

    QByteArray content;
    for (int i = 0; i < newRank; ++i)
        content += row(board.boardNames[size_t(i)], board.boardScores[size_t(i)]);
    content += row(stored, score);
    for (int i = newRank; i <= 8; ++i)
        content += row(board.boardNames[size_t(i)], board.boardScores[size_t(i)]);
    return content;
}

bool saveWithNewEntry(const QString &path, const Board &board, qint16 newRank, const QString &name,
                      qint32 score)
{
    const QByteArray content = boardFileContent(board, newRank, name, score);
    return !content.isEmpty() && writeAtomically(path, content);
}

bool fitsBoardFile(const QString &name)
{
    for (QChar c : name)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            return false;
    return fitsGbk(name);
}
