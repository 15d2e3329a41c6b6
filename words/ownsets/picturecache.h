#pragma once

#include "ownsets/setfiles.h"

#include <QImage>
#include <QString>

// Own sets' pictures, each decoded once: a phone's photo takes a second to
// decode, its 270-pixel copy a millisecond. The copies live as PNG files in
// $XDG_CACHE_HOME/wordnest/pictures/, named by a hash of the original's path
// and stamp, so that a changed, renamed or removed original misses its copy.
// A picture that cannot be decoded leaves a small entry holding the problem.
// The folder may be deleted at any time; past a bound the oldest entries go.
namespace ownsets {

// Where the entries are, with a separator at the end.
QString pictureCacheFolder();
// The most the entries may take; 200 MB unless a test sets less.
void setPictureCacheLimit(qint64 bytes);

struct CachedPicture
{
    QImage image; // at most keptPictureSide on either side
    QString problem;
    Stamp stamp;
};
// `folder`'s picture `name`: its cached copy, else the original decoded
// (one decode at a time in the process) and stored. Any thread.
CachedPicture cachedPicture(const QString &folder, const QString &name);
// What a listing may know without decoding: the problem a failed decode
// left, else the problem of the picture's header (format and size); empty
// when it looks fine. Stamps it in `stamp`.
QString checkPicture(const QString &folder, const QString &name, Stamp &stamp);
// A recording the game failed to convert (only silence, too long a word)
// leaves an entry of the same kind, so that a listing, which reads only its
// header, marks the word at once and the game does not convert it again.
void rememberProblem(const QString &folder, const QString &name, const Stamp &stamp, const QString &problem);
// The problem remembered for `folder`'s file `name` as it was at `stamp`;
// empty when there is none.
QString rememberedProblem(const QString &folder, const QString &name, const Stamp &stamp);
// What a listing may know of a recording without converting it: the problem
// converting it left when the game loaded its set, else the problem of its
// header (checkRecordingHeader); empty when it looks fine. Stamps it.
QString checkRecording(const QString &folder, const QString &name, Stamp &stamp);
// How many originals were decoded in this run: tests tell a hit by it.
int picturesDecoded();

} // namespace ownsets
