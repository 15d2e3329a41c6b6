#include "wordeditor/setrows.h"

#include "ownwords/ownmedia.h"
#include "ownwords/rowjournal.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <algorithm>

namespace {

const QStringList pictureTypes{"png", "jpg", "jpeg", "bmp"};
const QStringList recordingTypes{"wav", "flac", "ogg"};
constexpr qint64 maxMediaBytes = 64 * 1024 * 1024;

QString slotName(int slot, const QString &type)
{
    return QStringLiteral("%1.%2").arg(slot + 1, 2, 10, QChar(u'0')).arg(type);
}

QString typeOf(const QString &name)
{
    return name.mid(name.indexOf(u'.') + 1).toLower();
}

QByteArray readBounded(const QString &path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly) || file.size() > maxMediaBytes)
        return {};
    return file.readAll();
}

} // namespace

SetRows::SetRows(QString setFolder, ownset::FitsLabel fitsLabel)
    : folder(std::move(setFolder))
    , fits(std::move(fitsLabel))
{
    rowjournal::recover(folder);
    QFile listFile(QDir(folder).filePath(QStringLiteral("words.txt")));
    if (listFile.open(QIODevice::ReadOnly) && listFile.size() <= 64 * 1024)
        diskWords = ownset::parseWordList(listFile.readAll(), fits).words;
    // A hand-made list longer than the editor holds is shown, never cut short.
    if (diskWords.size() > ownset::maxWords)
        tooLong = QStringLiteral("words.txt 超过 %1 行，这里不保存单词的改动，以免丢失后面的行；图片和录音照常保存。")
                      .arg(ownset::maxWords);
    for (int i = 0; i < ownset::maxWords; ++i) {
        Row row;
        if (i < diskWords.size()) {
            row.text = row.savedText = diskWords[i];
            row.slot = i;
            for (const QString &name : slotFiles(i)) {
                if (pictureTypes.contains(typeOf(name)) && row.picture.isNull()) {
                    QByteArray bytes = readBounded(QDir(folder).filePath(name));
                    QBuffer buffer(&bytes);
                    buffer.open(QIODevice::ReadOnly);
                    row.picture = ownmedia::readPicture(buffer).image;
                    row.pictureSaved = true;
                }
                row.recordingSaved = row.recordingSaved || recordingTypes.contains(typeOf(name));
            }
        }
        list.append(row);
    }
    check();
}

QMap<int, QStringList> SetRows::mediaFiles() const
{
    QMap<int, QStringList> files;
    const QStringList all = QDir(folder).entryList({QStringLiteral("[0-9][0-9].*")}, QDir::Files | QDir::System);
    for (const QString &name : all)
        if (const int line = name.left(2).toInt(); line > 0 && (pictureTypes.contains(typeOf(name)) || recordingTypes.contains(typeOf(name))))
            files[line - 1] << name;
    return files;
}

QStringList SetRows::slotFiles(int slot) const
{
    return mediaFiles().value(slot);
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
    r.picture = picture.width() > ownmedia::keptPictureSide || picture.height() > ownmedia::keptPictureSide
                    ? picture.scaled(ownmedia::keptPictureSide, ownmedia::keptPictureSide, Qt::KeepAspectRatio,
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
    for (const QString &name : slotFiles(r.slot))
        if (recordingTypes.contains(typeOf(name)))
            return ownmedia::convertRecording(readBounded(QDir(folder).filePath(name))).wave;
    return {};
}

bool SetRows::moveRow(int from, int to)
{
    if (!tooLong.isEmpty() || from < 0 || to < 0 || from >= list.size() || to >= list.size())
        return false;
    list.move(from, to);
    return true;
}

bool SetRows::removeRow(int row)
{
    if (!tooLong.isEmpty() || row < 0 || row >= list.size())
        return false;
    list.removeAt(row);
    list.append(Row{});
    return true;
}

bool SetRows::insertRow(int row)
{
    const Row &last = list.constLast();
    if (!tooLong.isEmpty() || row < 0 || row >= list.size() || !last.blank() || last.slot >= 0 || last.hasMedia())
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
    if (!tooLong.isEmpty() && word != r.savedText)
        return tooLong;
    if (word.size() > ownset::maxLineCharacters || !fits(word))
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
    if (row.pictureUnsaved) {
        problem = ownset::storePictureImage(folder, row.slot, row.picture);
        row.pictureUnsaved = !problem.isEmpty();
        row.pictureSaved = row.pictureSaved || problem.isEmpty();
    }
    if (!row.recording.isEmpty() && problem.isEmpty()) {
        problem = ownset::storeRecordingWave(folder, row.slot, row.recording);
        if (problem.isEmpty())
            row.recording.clear();
        row.recordingSaved = row.recordingSaved || problem.isEmpty();
    }
    return problem;
}

QString SetRows::save()
{
    const QString first = check();
    if (!tooLong.isEmpty()) {
        // Only the media of rows whose word stays as it is.
        for (Row &row : list)
            if (row.problem.isEmpty() && row.slot >= 0)
                row.problem = flushMedia(row);
        return tooLong;
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
    QList<rowjournal::Move> moves;
    const QMap<int, QStringList> files = mediaFiles();
    for (auto file = files.begin(); file != files.end(); ++file) {
        const int slot = file.key();
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [&](const Entry &e) { return list[e.row].slot == slot; });
        const int to = it == entries.end() ? -1 : int(it - entries.begin());
        if (to == slot)
            continue;
        for (const QString &name : file.value())
            moves.append({name, to < 0 ? QString() : slotName(to, name.mid(name.indexOf(u'.') + 1))});
    }
    QStringList words;
    for (const Entry &entry : std::as_const(entries))
        words << entry.word;
    QString problem;
    if (!moves.isEmpty())
        problem = rowjournal::run(folder, moves, (words.join(u'\n') + u'\n').toUtf8());
    else if (words != diskWords)
        problem = ownset::writeWordList(folder, words);
    if (!problem.isEmpty())
        return problem;
    diskWords = words;

    for (Row &row : list) {
        if (row.slot >= 0 && std::none_of(entries.begin(), entries.end(), [&](const Entry &e) { return &list[e.row] == &row; })) {
            // A cleared or deleted word's files are gone: a new word there starts with none.
            row.slot = -1;
            row.savedText.clear();
            row.pictureSaved = row.recordingSaved = false;
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
    return tooLong.isEmpty() && next != diskWords.size();
}
