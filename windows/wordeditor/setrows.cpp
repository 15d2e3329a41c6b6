#include "wordeditor/setrows.h"

#include "ownsets/ownmedia.h"
#include "ownsets/picturecache.h"
#include "ownsets/rowjournal.h"
#include "ownsets/setfiles.h"
#include "ownsets/setwriter.h"

#include <QMap>

#include <algorithm>

namespace {

QString endingOf(const QString &name)
{
    return name.mid(name.indexOf(u'.') + 1);
}

} // namespace

SetRows::SetRows(QString setFolder, ownsets::FitsLabel fitsLabel)
    : folder(std::move(setFolder))
    , fits(std::move(fitsLabel))
{
    ownsets::finishMovingRows(folder);
    const ownsets::Contents listFile = ownsets::readFile(folder, ownsets::wordListName(), ownsets::maxListBytes);
    const ownsets::WordList read = ownsets::parseWordList(listFile.bytes, fits);
    diskWords = read.words;
    // A list the editor cannot show whole is left as it is, never cut short or garbled.
    if (!listFile.problem.isEmpty() && !listFile.missing)
        kept = QStringLiteral("words.txt %1，这里不保存单词的改动；图片和录音照常保存。").arg(listFile.problem);
    else if (read.refused)
        kept = read.problem + QStringLiteral("。这里不保存单词的改动；图片和录音照常保存。");
    else if (diskWords.size() > ownsets::maxWords)
        kept = QStringLiteral("words.txt 超过 %1 行，这里不保存单词的改动，以免丢失后面的行；图片和录音照常保存。")
                   .arg(ownsets::maxWords);
    for (int i = 0; i < ownsets::maxWords; ++i) {
        Row row;
        if (i < diskWords.size() || !kept.isEmpty()) {
            row.text = row.savedText = diskWords.value(i);
            row.slot = i;
            const ownsets::RowFiles files = ownsets::rowFiles(folder, i);
            row.filesProblem = files.problem;
            row.pictureSaved = !files.allPictures.isEmpty();
            row.recordingSaved = !files.allRecordings.isEmpty();
            if (!files.picture.isEmpty())
                row.picture = ownsets::cachedPicture(folder, files.picture).image;
        }
        list.append(row);
    }
    check();
}

QMap<int, QStringList> SetRows::mediaFiles() const
{
    QMap<int, QStringList> files;
    for (const QString &name : ownsets::fileNames(folder))
        if (ownsets::isSetFileName(name) && name != ownsets::wordListName() && name != ownsets::settingsName())
            files[name.left(2).toInt() - 1] << name;
    return files;
}

int SetRows::wordCount() const
{
    return int(std::count_if(list.begin(), list.end(), [](const Row &row) { return !row.blank(); }));
}

void SetRows::setText(int row, const QString &text)
{
    list[row].text = text;
}

QString SetRows::setPicture(int row, const QImage &picture)
{
    Row &r = list[row];
    r.picture = picture.width() > ownsets::keptPictureSide || picture.height() > ownsets::keptPictureSide
                    ? picture.scaled(ownsets::keptPictureSide, ownsets::keptPictureSide, Qt::KeepAspectRatio,
                                     Qt::SmoothTransformation)
                    : picture;
    r.pictureUnsaved = true;
    const QString problem = save();
    return r.pictureUnsaved ? QStringLiteral("图片还没有保存：") + (r.problem.isEmpty() ? problem : r.problem) : QString();
}

QString SetRows::setRecording(int row, const QByteArray &wave)
{
    list[row].recording = wave;
    const QString problem = save();
    const Row &r = list[row];
    return r.recording.isEmpty() ? QString() : QStringLiteral("录音还没有保存：") + (r.problem.isEmpty() ? problem : r.problem);
}

QByteArray SetRows::recording(int row) const
{
    const Row &r = list[row];
    if (!r.recording.isEmpty() || r.slot < 0)
        return r.recording;
    const QString name = ownsets::rowFiles(folder, r.slot).recording;
    return name.isEmpty() ? QByteArray()
                          : ownsets::convertRecording(ownsets::readFile(folder, name, ownsets::maxRecordingBytes).bytes, name).wave;
}

bool SetRows::moveRow(int from, int to)
{
    if (!kept.isEmpty() || from < 0 || to < 0 || from >= list.size() || to >= list.size())
        return false;
    list.move(from, to);
    return true;
}

bool SetRows::removeRow(int row)
{
    if (!kept.isEmpty() || row < 0 || row >= list.size())
        return false;
    list.removeAt(row);
    list.append(Row{});
    return true;
}

bool SetRows::insertRow(int row)
{
    const Row &last = list.constLast();
    if (!kept.isEmpty() || row < 0 || row >= list.size() || !last.blank() || last.slot >= 0 || last.hasMedia())
        return false;
    list.removeLast();
    list.insert(row, Row{});
    return true;
}

QString SetRows::wordProblem(int row) const
{
    const Row &r = list[row];
    const QString word = r.text.trimmed();
    if (word.isEmpty())
        return r.pictureUnsaved || !r.recording.isEmpty()
                   ? QStringLiteral("还没有单词：填上单词，图片和录音才会保存。")
                   : QString();
    if (!kept.isEmpty() && word != r.savedText)
        return kept;
    if (word.size() > ownsets::maxLineCharacters || !fits(word))
        return QStringLiteral("太长了，游戏里的词语框放不下。");
    if (std::any_of(word.begin(), word.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return QStringLiteral("含有控制字符。");
    for (int j = 0; j < row; ++j)
        if (list[j].text.trimmed().compare(word, Qt::CaseInsensitive) == 0)
            return QStringLiteral("和第 %1 个词重复。").arg(j + 1);
    return {};
}

QString SetRows::check()
{
    for (int i = 0; i < list.size(); ++i)
        list[i].problem = wordProblem(i);
    // A row that cannot be saved keeps its saved word, which another row's new word may repeat.
    for (bool again = true; again;) {
        again = false;
        for (int i = 0; i < list.size(); ++i)
            for (int j = 0; j < list.size() && list[i].problem.isEmpty() && !list[i].blank(); ++j)
                if (j != i && !list[j].problem.isEmpty() && list[j].slot >= 0 && !list[j].blank()
                    && list[j].savedText.compare(list[i].text.trimmed(), Qt::CaseInsensitive) == 0) {
                    list[i].problem = QStringLiteral("和第 %1 个词保存着的“%2”重复。").arg(j + 1).arg(list[j].savedText);
                    again = true;
                }
    }
    for (int i = 0; i < list.size(); ++i)
        if (!list[i].problem.isEmpty())
            return QStringLiteral("第 %1 个词%2").arg(i + 1).arg(list[i].problem);
    return {};
}

QString SetRows::flushMedia(Row &row)
{
    QString problem;
    written += row.pictureUnsaved || !row.recording.isEmpty();
    if (row.pictureUnsaved) {
        problem = ownsets::storePictureImage(folder, row.slot, row.picture);
        row.pictureUnsaved = !problem.isEmpty();
        row.pictureSaved = row.pictureSaved || problem.isEmpty();
    }
    if (!row.recording.isEmpty() && problem.isEmpty()) {
        problem = ownsets::storeRecordingWave(folder, row.slot, row.recording);
        if (problem.isEmpty())
            row.recording.clear();
        row.recordingSaved = row.recordingSaved || problem.isEmpty();
    }
    return problem;
}

QString SetRows::save()
{
    const QString first = check();
    if (!kept.isEmpty()) {
        // Only the media of rows whose word stays as it is.
        for (Row &row : list)
            if (row.problem.isEmpty() && row.slot >= 0)
                row.problem = flushMedia(row);
        return kept;
    }
    struct Entry
    {
        int row;
        QString word;
    };
    QList<Entry> entries;
    for (int i = 0; i < list.size(); ++i) {
        const Row &row = list[i];
        if (!row.blank() && row.problem.isEmpty())
            entries.append({i, row.text.trimmed()});
        else if (!row.blank() && row.slot >= 0)
            entries.append({i, row.savedText});
    }
    // Every media file of a line goes where its row's entry now is, or away.
    QList<ownsets::RowMove> moves;
    const QMap<int, QStringList> files = mediaFiles();
    for (auto file = files.begin(); file != files.end(); ++file) {
        const int slot = file.key();
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [&](const Entry &e) { return list[e.row].slot == slot; });
        const int to = it == entries.end() ? -1 : int(it - entries.begin());
        if (to == slot)
            continue;
        for (const QString &name : file.value())
            moves.append({name, to < 0 ? QString() : ownsets::mediaName(to, endingOf(name))});
    }
    QStringList words;
    for (const Entry &entry : std::as_const(entries))
        words << entry.word;
    QString problem;
    if (!moves.isEmpty())
        problem = ownsets::moveRows(folder, moves, (words.join(u'\n') + u'\n').toUtf8());
    else if (words != diskWords)
        problem = ownsets::writeWordList(folder, words);
    if (!problem.isEmpty())
        return problem;
    written += !moves.isEmpty() || words != diskWords;
    diskWords = words;

    for (Row &row : list) {
        if (row.slot >= 0 && std::none_of(entries.begin(), entries.end(), [&](const Entry &e) { return &list[e.row] == &row; })) {
            // A cleared or deleted word's files are gone: a new word there starts with none.
            row.slot = -1;
            row.savedText.clear();
            row.pictureSaved = row.recordingSaved = false;
            row.filesProblem.clear();
            if (!row.pictureUnsaved)
                row.picture = {};
        }
    }
    for (int k = 0; k < entries.size(); ++k) {
        Row &row = list[entries[k].row];
        row.slot = k;
        row.savedText = entries[k].word;
        if (row.problem.isEmpty())
            row.problem = flushMedia(row);
    }
    for (const Row &row : std::as_const(list))
        if (!row.problem.isEmpty())
            return first.isEmpty() ? row.problem : first;
    return {};
}

bool SetRows::hasUnsaved() const
{
    int next = 0;
    for (const Row &row : list) {
        if (row.text.trimmed() != row.savedText || row.pictureUnsaved || !row.recording.isEmpty())
            return true;
        if (row.slot >= 0 && row.slot != next++)
            return true;
    }
    return kept.isEmpty() && next != diskWords.size();
}
