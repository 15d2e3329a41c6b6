#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>

// The files of one own set folder, the only way anything reads or writes
// them. A set folder is untrusted: no link in it is followed, only regular
// files are read, each bounded in size before it is read, and a file is
// replaced through a temporary beside it, never written through its name.
// Every function answers a problem for a grown-up, empty on success.
namespace ownsets {

// Letters, digits and '-', at least one letter; "tricky" is reserved.
bool isValidId(const QString &id);
// $XDG_DATA_HOME/wordnest/sets/, with a separator at the end.
QString setsFolder();
// Whether anything is at set `id`'s place in `setsFolder`, a dangling link included.
bool setExists(const QString &id, const QString &setsFolder);

inline QString wordListName() { return QStringLiteral("words.txt"); }
inline QString settingsName() { return QStringLiteral("set.ini"); }

constexpr qint64 maxListBytes = 64 * 1024;
constexpr qint64 maxSettingsBytes = 64 * 1024;
constexpr qint64 maxPictureBytes = 64 * 1024 * 1024;
constexpr qint64 maxRecordingBytes = 32 * 1024 * 1024;

// Lower case; a file's ending matches in any case ("01.PNG").
const QStringList &pictureEndings();
const QStringList &recordingEndings();
// Name patterns for `endings` in any case ("*.[wW][aA][vV]"): a file dialog's
// filter matches case-sensitively on Linux (GTK's, the portal's), and a
// camera writes VOICE.WAV.
QStringList anyCasePatterns(const QStringList &endings);
// Row `row`'s (from 0) file "NN.<ending>", as written.
QString mediaName(int row, const QString &ending);
// words.txt, set.ini or a row's picture or recording (endings in any case).
bool isSetFileName(const QString &name);
// The size bound of set file `name`; 0 for a name no set holds.
qint64 limitFor(const QString &name);

// What tells a changed file from the one read: a file replaced whole gets a
// new inode, one written in place a new time or size; the change time moves
// even when a copy keeps the old modification time.
struct Stamp
{
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint64 inode = 0;
    quint64 device = 0;
    qint64 changedNs = 0;

    bool operator==(const Stamp &other) const
    {
        return size == other.size && modifiedNs == other.modifiedNs && inode == other.inode && device == other.device
               && changedNs == other.changedNs;
    }
    bool operator!=(const Stamp &other) const { return !(*this == other); }
};

struct Contents
{
    QByteArray bytes;
    QString problem;      // "是链接，游戏不会打开", "不是普通文件", "太大...", "读不了", "不存在"
    bool missing = false; // no such file: its own answer, since many files are optional
    Stamp stamp;
};
// Reads `folder`'s file `name`, at most `limit` bytes.
Contents readFile(const QString &folder, const QString &name, qint64 limit);
// Opens `folder`'s file `name` to read on demand (a header, say), with
// readFile's checks; null with `problem` set when it cannot be read.
std::unique_ptr<QFile> openFile(const QString &folder, const QString &name, qint64 limit, QString &problem,
                                Stamp &stamp);
// The same for a file a grown-up chose anywhere: the folders on its way may
// be links (a home's Pictures often is), the file itself may not.
Contents readChosenFile(const QString &path, qint64 limit);
// The stamp of `name` as it is now, without following a link; size -1 when
// it is no regular file.
Stamp stampOf(const QString &folder, const QString &name);

// Replaces `name` whole with `bytes`; a link or special file in its place
// is refused and left as it is.
QString writeFile(const QString &folder, const QString &name, const QByteArray &bytes);
// Removes `name` itself (a link goes, never what it points at). A name that
// is not there is no problem.
QString removeFile(const QString &folder, const QString &name);
// Renames `from` to `to` within the folder, replacing `to`.
QString renameFile(const QString &folder, const QString &from, const QString &to);
// The names in `folder`, whatever their kind; at most a few thousand.
QStringList fileNames(const QString &folder);

// Row `row`'s picture and recording files as named in the folder; empty
// where there is none. Two pictures or two recordings for one row make the
// row unusable: `problem` says which, and the files are left empty.
struct RowFiles
{
    QString picture;
    QString recording; // a phone's NN.m4a where there is no other, to be answered
    QString problem;
    QStringList allPictures;   // every picture of the row, in any case and type
    QStringList allRecordings; // every recording of the row
};
RowFiles rowFiles(const QString &folder, int row);
// The same among the folder's `names` (fileNames()), listed once for every row.
RowFiles rowFiles(const QStringList &names, int row);

// words.txt's text: UTF-8 (a byte-order mark dropped), else GBK, else
// refused with `problem` and no text.
struct ListText
{
    QString text;
    QString problem;
};
ListText decodeWordList(const QByteArray &bytes);

// Held on a set folder while its files are rearranged: another process that
// takes it waits until the work is done. A killed process's lock goes with it.
class FolderLock
{
public:
    explicit FolderLock(const QString &folder);
    ~FolderLock();
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;

    bool held() const { return fd >= 0; }

private:
    int fd;
};

} // namespace ownsets
