#include "leaderboard/boardlocation.h"

#include "leaderboard/boardfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
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
    // Only the first time this board is needed here: after that a missing
    // board is one the player deleted to start afresh. A board of the
    // player's own is never replaced; QFile::copy refuses to overwrite,
    // should one appear meanwhile. A copy that failed is tried again.
    QSettings settings(QStringLiteral("wordnest"), QStringLiteral("wordnest"));
    settings.beginGroup(QStringLiteral("boards"));
    const QString copied = QFileInfo(board).fileName();
    if (!settings.value(copied).toBool()
        && (boardFileExists(board) || !QFileInfo(beside).isFile() || QFile::copy(beside, board)))
        settings.setValue(copied, true);
    return dataFolder;
}

QString BoardLocation::ownBoardFolder() const
{
    QDir().mkpath(dataFolder);
    return dataFolder;
}

QString BoardLocation::defaultDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/wordnest/");
}

bool BoardLocation::isWritableFolder(const QString &folder)
{
    return isWritableFolderOtherThan(folder, QStringLiteral(WORDNEST_INSTALL_BINDIR));
}

bool BoardLocation::isWritableFolderOtherThan(const QString &folder, const QString &installedFolder)
{
    const QFileInfo info(folder);
    if (info.canonicalFilePath() == QFileInfo(installedFolder).canonicalFilePath())
        return false;
    return info.isDir() && info.isWritable();
}
