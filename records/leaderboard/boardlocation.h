#pragma once

#include <QString>

#include <functional>

// Where the board files live. A program folder the player can write (a build
// folder, a copy in the home) keeps them beside the program, as the game
// always did; an installed program's folder (/usr/bin) cannot, so they go to
// the player's own data folder.
class BoardLocation
{
public:
    using WritableCheck = std::function<bool(const QString &folder)>;

    // Folders end with a separator. Tests hand their own data folder and
    // writability check; the program uses the real ones.
    explicit BoardLocation(QString programFolder, QString dataFolder = defaultDataFolder(),
                           WritableCheck writable = isWritableFolder);

    // The folder, with a separator at the end, that board `grd` is read from
    // and written to. The data folder is created when it is first chosen, and
    // the first time board `grd` is needed there (remembered in the
    // settings), a readable board beside the program is copied into it.
    QString boardFolder(qint16 grd) const;

    // The data folder, made if need be: own word sets' boards always live
    // there, whatever folder the program is in.
    QString ownBoardFolder() const;

    // $XDG_DATA_HOME/wordnest/, by default ~/.local/share/wordnest/.
    static QString defaultDataFolder();

    // Whether this user may create files in `folder`. The folder the program
    // is installed to never counts: root could write there, but files in it
    // belong to the package.
    static bool isWritableFolder(const QString &folder);
    static bool isWritableFolderOtherThan(const QString &folder, const QString &installedFolder);

private:
    QString programFolder;
    QString dataFolder;
    WritableCheck writable;
};
