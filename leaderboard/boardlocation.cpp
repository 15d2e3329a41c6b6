#include "leaderboard/boardlocation.h"

#include "leaderboard/boardfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

BoardLocation::BoardLocation(QString programFolder, QString dataFolder, WritableCheck writable)
    : programFolder(std::move(programFolder))
    , dataFolder(std::move(dataFolder))
    , writable(std::move(writable))
{
}

QString BoardLocation::boardFolder(qint16 grd) const
{
    if (writable(programFolder))
        return programFolder;

    QDir().mkpath(dataFolder);
    const QString board = composeBoardPath(dataFolder, grd);
    const QString beside = composeBoardPath(programFolder, grd);
    // Only once: a board of the player's own is never replaced. QFile::copy
    // refuses to overwrite, should one appear meanwhile.
    if (!boardFileExists(board) && QFileInfo(beside).isFile())
        QFile::copy(beside, board);
    return dataFolder;
}

QString BoardLocation::defaultDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/wordnest/");
}

bool BoardLocation::isWritableFolder(const QString &folder)
{
    const QFileInfo info(folder);
    if (info.canonicalFilePath() == QFileInfo(QStringLiteral(WORDNEST_INSTALL_BINDIR)).canonicalFilePath())
        return false;
    return info.isDir() && info.isWritable();
}
