#include "leaderboard/boardfile.h"

#include "app/textnumber.h"

#include <QByteArrayList>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// A board file is ten short lines. Anything past this many bytes cannot
// belong to the first eleven lines of a file the game wrote.
constexpr qint64 readLimit = 64 * 1024;
constexpr int rowsRead = 11;

// The file is in GBK, the code page the game always used. A fresh decoder
// per line, stateless, so a broken line cannot spill into the next.
QString fromGbk(const QByteArray &bytes)
{
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QByteArray toGbk(const QString &text)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(text);
}

// Splits at CR LF, LF or CR; a line end at the very end makes no empty line.
QByteArrayList splitLines(const QByteArray &bytes, int maxLines)
{
    QByteArrayList lines;
    qsizetype start = 0;
    while (start < bytes.size() && lines.size() < maxLines) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        lines.append(bytes.mid(start, end - start));
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

QByteArray row(const QString &name, qint32 score)
{
    return toGbk(name) + ',' + QByteArray::number(score) + "\r\n";
}

bool writeAtomically(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(content); // a failed write makes commit() fail and keeps the old file
    return file.commit();
}

} // namespace

QString composeBoardPath(const QString &sPath, qint16 grd)
{
    return sPath + QStringLiteral("kivora") + QString::number(grd) + QStringLiteral(".tmp");
}

bool loadBoard(const QString &path, Board &board)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArrayList lines = splitLines(file.read(readLimit), rowsRead);
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = fromGbk(lines[i]);
        const qsizetype comma = line.indexOf(u',');
        if (comma >= 0)
            board.boardNames[size_t(i)] = line.left(comma);
        if (auto score = parseInt16(QStringView(line).mid(comma + 1)))
            board.boardScores[size_t(i)] = *score;
    }
    return true;
}

qint16 rankOf(const Board &board, qint32 score)
{
    qint16 rank = -1;
    for (int i = 9; i >= 0; --i)
        if (score > board.boardScores[size_t(i)])
            rank = qint16(i);
    return rank;
}

bool createDefaultBoard(const QString &path, Board &board)
{
    QByteArray content;
    for (size_t i = 0; i < 10; ++i) {
        board.boardNames[i] = QStringLiteral("0");
        board.boardScores[i] = 0;
        content += row(board.boardNames[i], 0);
    }
    return writeAtomically(path, content);
}

bool saveWithNewEntry(const QString &path, const Board &board, qint16 newRank, const QString &name,
                      qint32 score)
{
    // The format has no escape for the comma that ends a name: a full-width
    // one reads back as the same name.
    QString stored = name;
    stored.replace(u',', u'，');

    QByteArray content;
    for (int i = 0; i < newRank; ++i)
        content += row(board.boardNames[size_t(i)], board.boardScores[size_t(i)]);
    content += row(stored, score);
    for (int i = newRank; i <= 8; ++i)
        content += row(board.boardNames[size_t(i)], board.boardScores[size_t(i)]);
    return writeAtomically(path, content);
}

bool fitsBoardFile(const QString &name)
{
    for (QChar c : name)
        if (c == u'\r' || c == u'\n' || c.category() == QChar::Other_Control)
            return false;
    QStringEncoder encoder("GBK");
    const QByteArray encoded = encoder.encode(name); // converts only when taken as bytes
    Q_UNUSED(encoded);
    return !encoder.hasError();
}
