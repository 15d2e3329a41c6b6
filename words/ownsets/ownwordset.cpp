#include "ownsets/ownwordset.h"

#include "ownsets/ownmedia.h"
#include "ownsets/picturecache.h"

#include <algorithm>

OwnWordSet::OwnWordSet(const ownsets::Folder &folder)
    : folder(folder)
    , setId(folder.id)
    , name(folder.name)
{
    // A folder whose list is refused has read no word's files.
    for (const ownsets::Word &word : folder.words)
        if (word.problem.isEmpty() && folder.problem.isEmpty())
            usable.append(word);
}

QList<LeftOutWord> OwnWordSet::leftOut() const
{
    QList<LeftOutWord> left;
    for (const ownsets::Word &word : folder.words)
        if (!word.problem.isEmpty())
            left.append({word.text, word.problem});
    return left;
}

QStringList OwnWordSet::words() const
{
    QStringList texts;
    for (const ownsets::Word &word : usable)
        texts << word.text;
    return texts;
}

PictureArt OwnWordSet::picture(int word) const
{
    if (word < 0 || word >= usable.size())
        return {};
    const ownsets::Word &shown = usable.at(word);
    const QImage original =
        shown.picture.isNull() ? ownsets::cachedPicture(folder.path, shown.pictureFile).image : shown.picture;
    return {QPixmap::fromImage(ownsets::fitIntoSquare(original, 90)), [original](int factor) {
                QPixmap larger = QPixmap::fromImage(ownsets::fitIntoSquare(original, 90 * factor));
                larger.setDevicePixelRatio(factor);
                return larger;
            }};
}

WordSource::PictureFile OwnWordSet::pictureFile(int word) const
{
    if (word < 0 || word >= usable.size() || !usable.at(word).picture.isNull())
        return {};
    return {folder.path, usable.at(word).pictureFile};
}

QByteArray OwnWordSet::recording(int word) const
{
    if (word < 0 || word >= usable.size())
        return {};
    const ownsets::Word &heard = usable.at(word);
    // A listed set plays once refreshed(); this is for one played without.
    if (heard.recording.isEmpty() && !heard.recordingFile.isEmpty())
        return ownsets::convertRecording(
                   ownsets::readFile(folder.path, heard.recordingFile, ownsets::maxRecordingBytes).bytes)
            .wave;
    return heard.recording;
}

std::shared_ptr<const WordSource> OwnWordSet::refreshed() const
{
    if (folder.path.isEmpty())
        return nullptr;
    const ownsets::Folder now = ownsets::readFolder(folder.path, ownsets::fitsWordLabel, &folder);
    if (!now.playable())
        return folder.whole ? nullptr : std::make_shared<OwnWordSet>(now);
    const auto same = [](const ownsets::Word &a, const ownsets::Word &b) {
        return a.text == b.text && a.problem == b.problem && a.pictureFile == b.pictureFile
               && a.recordingFile == b.recordingFile && a.pictureStamp == b.pictureStamp
               && a.recordingStamp == b.recordingStamp;
    };
    const bool unchanged = folder.whole && now.name == folder.name && now.words.size() == folder.words.size()
                           && std::equal(now.words.begin(), now.words.end(), folder.words.begin(), same);
    return unchanged ? nullptr : std::make_shared<OwnWordSet>(now);
}
