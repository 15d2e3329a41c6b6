#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>

// The ten best results, best first. Index 10 can take an eleventh line of the
// file; it is never shown, ranked or written.
struct Board
{
    std::array<QString, 11> boardNames;
    std::array<qint16, 11> boardScores{};
};

// The board of the tricky words' set, "kivora-tricky.tmp": no set's number gives that name.
constexpr qint16 trickyBoard = -1;
// "<sPath>kivora<grd>.tmp", "<sPath>kivora-tricky.tmp" for trickyBoard.
QString composeBoardPath(const QString &sPath, qint16 grd);
// "kivora-<setId>.tmp": an own set's board, named after it since it has no number.
QString ownBoardFileName(const QString &setId);

// Reads the board file into `board`, line by line. A field that cannot be
// read keeps what it held. Returns false when the file cannot be opened.
// Reading is bounded: only the first 64 KiB of a huge or broken file are
// looked at.
bool loadBoard(const QString &path, Board &board);

// The bytes loadBoard reads: nothing when `path` is not a plain file or
// cannot be opened.
std::optional<QByteArray> readBoardBytes(const QString &path);

// Whether anything is at `path`, readable or not, a dangling link included.
// Only a board that does not exist may be replaced by the default one.
bool boardFileExists(const QString &path);

// What loadBoard does with the bytes it read.
void readBoardText(const QByteArray &bytes, Board &board);

// The row a new score takes: the first whose score is strictly lower, so an
// older entry keeps its place against an equal newcomer; -1 for no place.
qint16 rankOf(const Board &board, qint32 score);

// Ten rows "0,0" in memory.
void setDefaultBoard(Board &board);

// Ten rows "0,0", in memory and in the file. Returns whether the file was written.
bool createDefaultBoard(const QString &path, Board &board);

// The ten lines of a board with `name` and `score` inserted at `newRank`
// (0..9, anything else gives an empty result); the old last row falls off.
// A comma in `name` is written as "，", a line break as a blank.
QByteArray boardFileContent(const Board &board, qint16 newRank, const QString &name, qint32 score);

// Rewrites the file with boardFileContent(). The file is replaced
// atomically: a failure leaves the old file as it was, and is reported by
// returning false. Nothing else beside the board is touched: a file named
// like a temporary may be the player's own.
bool saveWithNewEntry(const QString &path, const Board &board, qint16 newRank, const QString &name,
                      qint32 score);

// Whether `name` reads back from the board file exactly as typed: no line
// breaks or other control characters, nothing outside GBK (an emoji would be
// written as "?").
bool fitsBoardFile(const QString &name);
