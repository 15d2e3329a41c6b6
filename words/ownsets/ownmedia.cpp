#include "ownsets/ownmedia.h"

#include "ownsets/loadedlibrary.h"
#include "ownsets/resampler.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
#include <QPainter>
#include <QScopeGuard>
#include <QtEndian>

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace ownsets {

namespace {

// A set's problems are written in English here and translated: the windows
// show them in Chinese, the command line in the locale's language.
struct OwnMedia
{
    Q_DECLARE_TR_FUNCTIONS(OwnMedia)
};

#define SNDFILE_FUNCTIONS(F) F(sf_open_virtual) F(sf_close) F(sf_readf_float)
WORDNEST_LOADED_LIBRARY(SndFile, "sndfile", 1, SNDFILE_FUNCTIONS)

constexpr int gameRate = 22050;
constexpr int blockSamples = gameRate / 100; // 10 ms
// Ends quieter than this are silence to be trimmed.
constexpr double silenceDb = -50.0;

double toDb(double rms)
{
    return rms > 0 ? 20 * std::log10(rms) : -200.0;
}

// RMS of each 10 ms block.
std::vector<double> blockRms(const std::vector<float> &s)
{
    std::vector<double> out;
    for (size_t i = 0; i < s.size(); i += blockSamples) {
        const size_t end = std::min(s.size(), i + blockSamples);
        double sum = 0;
        for (size_t j = i; j < end; ++j)
            sum += double(s[j]) * s[j];
        out.push_back(std::sqrt(sum / double(end - i)));
    }
    return out;
}

double activeLoudnessOf(const std::vector<double> &blocks)
{
    const double loudest = blocks.empty() ? 0 : *std::max_element(blocks.begin(), blocks.end());
    const double gate = loudest / std::pow(10.0, 30.0 / 20);
    double sum = 0;
    int n = 0;
    for (double b : blocks)
        if (b >= gate && b > 0) {
            sum += b * b;
            ++n;
        }
    return n ? toDb(std::sqrt(sum / n)) : -200.0;
}

// libsndfile reads the file from memory.
struct Memory
{
    const QByteArray &bytes;
    sf_count_t at = 0;
};
sf_count_t memoryLength(void *user)
{
    return static_cast<Memory *>(user)->bytes.size();
}
sf_count_t memorySeek(sf_count_t offset, int whence, void *user)
{
    auto *m = static_cast<Memory *>(user);
    const sf_count_t base = whence == SEEK_CUR ? m->at : whence == SEEK_END ? m->bytes.size() : 0;
    if (offset > m->bytes.size() || offset < -m->bytes.size())
        return -1;
    const sf_count_t to = base + offset;
    if (to < 0 || to > m->bytes.size())
        return -1;
    m->at = to;
    return m->at;
}
sf_count_t memoryRead(void *ptr, sf_count_t count, void *user)
{
    auto *m = static_cast<Memory *>(user);
    const sf_count_t n = std::max<sf_count_t>(0, std::min<sf_count_t>(count, sf_count_t(m->bytes.size()) - m->at));
    if (n > 0)
        std::memcpy(ptr, m->bytes.constData() + m->at, size_t(n));
    m->at += n;
    return n;
}
sf_count_t memoryWrite(const void *, sf_count_t, void *)
{
    return 0;
}
sf_count_t memoryTell(void *user)
{
    return static_cast<Memory *>(user)->at;
}

QString tooLongFile()
{
    return OwnMedia::tr("is longer than %1 seconds: record only the word").arg(maxRawRecordingSeconds);
}

// A phone's voice memo is AAC in an MP4 container, which libsndfile cannot read.
QString voiceMemoAdvice()
{
    return OwnMedia::tr("is a phone's M4A (AAC) recording, which the game cannot read: save it as WAV, FLAC, Ogg or MP3 first");
}

// libsndfile reads an open file as it goes: a listing reads only the header.
sf_count_t deviceLength(void *user)
{
    return static_cast<QIODevice *>(user)->size();
}
sf_count_t deviceSeek(sf_count_t offset, int whence, void *user)
{
    auto *d = static_cast<QIODevice *>(user);
    const qint64 size = d->size();
    const qint64 base = whence == SEEK_CUR ? d->pos() : whence == SEEK_END ? size : 0;
    if (offset > size || offset < -size)
        return -1;
    const qint64 to = base + offset;
    return to < 0 || to > size || !d->seek(to) ? -1 : to;
}
sf_count_t deviceRead(void *ptr, sf_count_t count, void *user)
{
    return std::max<qint64>(0, static_cast<QIODevice *>(user)->read(static_cast<char *>(ptr), count));
}
sf_count_t deviceTell(void *user)
{
    return static_cast<QIODevice *>(user)->pos();
}

// The problem in the first bytes of a file that libsndfile is not to open.
QString startProblem(qint64 size, const QByteArray &start)
{
    if (size == 0)
        return OwnMedia::tr("is empty");
    if (!SndFile::get())
        return OwnMedia::tr("cannot be read: the sound library (libsndfile) is missing");
    if (start.mid(4, 4) == "ftyp") // the MP4 container's first box
        return voiceMemoAdvice();
    return {};
}

QString unopenedProblem(const QString &fileName)
{
    return fileName.endsWith(QLatin1String(".m4a"), Qt::CaseInsensitive)
               ? voiceMemoAdvice()
               : OwnMedia::tr("is not a sound file the game can read (it reads WAV, FLAC, Ogg, Opus, MP3 and AIFF)");
}

// What the header alone tells against playing the file.
QString infoProblem(const SF_INFO &info)
{
    if (info.channels <= 0 || info.channels > 16 || info.samplerate < 4000 || info.samplerate > 384000)
        return OwnMedia::tr("is in a sound format the game cannot play");
    if (info.frames <= 0)
        return OwnMedia::tr("is empty");
    if (double(info.frames) / info.samplerate > maxRawRecordingSeconds)
        return tooLongFile();
    return {};
}

// The file's frames mixed down to one channel and resampled to the game's rate.
QString decodeMono(const QByteArray &bytes, const QString &fileName, std::vector<float> &mono)
{
    if (const QString problem = startProblem(bytes.size(), bytes.left(8)); !problem.isEmpty())
        return problem;
    const SndFile *sndfile = SndFile::get();
    Memory memory{bytes};
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    SF_INFO info{};
    SNDFILE *file = sndfile->sf_open_virtual(&io, SFM_READ, &info, &memory);
    if (!file)
        return unopenedProblem(fileName);
    const auto close = qScopeGuard([sndfile, file] { sndfile->sf_close(file); });
    if (const QString problem = infoProblem(info); !problem.isEmpty())
        return problem;
    // Frames are counted as they come: a header may promise fewer than the file holds.
    const sf_count_t limit = sf_count_t(maxRawRecordingSeconds * info.samplerate);
    sf_count_t counted = 0;
    constexpr sf_count_t block = 4096;
    std::vector<float> frames(size_t(block) * size_t(info.channels));
    std::vector<float> mixed(static_cast<size_t>(block));
    Resampler resampler(info.samplerate, gameRate);
    for (sf_count_t got; (got = sndfile->sf_readf_float(file, frames.data(), block)) > 0;) {
        counted += got;
        if (counted > limit)
            return tooLongFile();
        for (sf_count_t f = 0; f < got; ++f) {
            double sum = 0;
            for (int c = 0; c < info.channels; ++c) {
                const float v = frames[size_t(f) * size_t(info.channels) + size_t(c)];
                sum += std::isfinite(v) ? std::clamp(v, -1.0f, 1.0f) : 0.0f;
            }
            mixed[size_t(f)] = float(sum / info.channels);
        }
        resampler.push(mixed.data(), size_t(got), mono);
    }
    resampler.finish(mono);
    if (mono.empty())
        return OwnMedia::tr("is empty");
    return {};
}

QByteArray waveFile(const QByteArray &samples, int bitsPerSample)
{
    const quint16 bytesPerSample = quint16(bitsPerSample / 8);
    QByteArray wav(44, '\0');
    char *h = wav.data();
    const auto put32 = [](char *at, quint32 v) { qToLittleEndian(v, at); };
    const auto put16 = [](char *at, quint16 v) { qToLittleEndian(v, at); };
    std::memcpy(h, "RIFF", 4);
    put32(h + 4, quint32(36 + samples.size()));
    std::memcpy(h + 8, "WAVEfmt ", 8);
    put32(h + 16, 16);
    put16(h + 20, 1);               // PCM
    put16(h + 22, 1);               // mono
    put32(h + 24, gameRate);        // samples a second
    put32(h + 28, gameRate * bytesPerSample); // bytes a second
    put16(h + 32, bytesPerSample);  // block align
    put16(h + 34, quint16(bitsPerSample));
    std::memcpy(h + 36, "data", 4);
    put32(h + 40, quint32(samples.size()));
    return wav + samples;
}

// Whether `fileBytes` is a recording this converter wrote, in either width:
// its header, and a levelled sound of a playable length.
bool isConverted(const QByteArray &fileBytes)
{
    const qsizetype dataSize = fileBytes.size() - 44;
    if (dataSize < 0 || fileBytes.left(4) != "RIFF" || fileBytes.mid(36, 4) != "data"
        || qFromLittleEndian<quint32>(fileBytes.constData() + 40) != quint32(dataSize))
        return false;
    for (const int bits : {16, 8}) {
        const qsizetype samples = dataSize / (bits / 8);
        if (fileBytes.mid(8, 28) == waveFile({}, bits).mid(8, 28) && samples > gameRate / 10
            && double(samples) / gameRate <= maxRecordingSeconds
            && std::abs(activeLoudness(fileBytes.mid(44), bits) - wordLoudnessDb) <= 0.5)
            return true;
    }
    return false;
}

} // namespace

namespace {

// Format and size as the header tells them, before anything is decoded.
QString headerProblem(QImageReader &reader)
{
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    if (format != "png" && format != "jpeg" && format != "bmp")
        return OwnMedia::tr("is not a PNG, JPEG or BMP picture");
    const QSize size = reader.size();
    if (size.isEmpty())
        return OwnMedia::tr("is empty or cannot be opened");
    if (qint64(size.width()) * size.height() > maxPicturePixels)
        return OwnMedia::tr("is too large (%1 x %2 pixels; 50 million at most)").arg(size.width()).arg(size.height());
    return {};
}

} // namespace

QString checkPictureHeader(QIODevice &device)
{
    if (device.size() == 0)
        return OwnMedia::tr("is empty");
    QImageReader reader(&device);
    return headerProblem(reader);
}

Picture readPicture(const QByteArray &bytes)
{
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    return readPicture(device);
}

Picture readPicture(QIODevice &device)
{
    // Bounds what any one decode may allocate: a 50-megapixel picture's
    // 200 MB, never the gigabytes a forged header asks for.
    QImageReader::setAllocationLimit(256);
    if (device.size() == 0)
        return {{}, OwnMedia::tr("is empty")};
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    if (const QString problem = headerProblem(reader); !problem.isEmpty())
        return {{}, problem};
    // A phone stores a portrait photo lying down, with a tag saying so.
    reader.setAutoTransform(true);
    // JPEG scales while it decodes, so a photo never lies in memory whole;
    // the scaled size is the stored picture's, before the tag turns it.
    const QSize size = reader.size();
    const QSize kept = size.scaled(keptPictureSide, keptPictureSide, Qt::KeepAspectRatio);
    if (kept.width() < size.width())
        reader.setScaledSize(kept.expandedTo(QSize(1, 1)));
    QImage image = reader.read();
    if (image.isNull())
        return {{}, OwnMedia::tr("cannot be opened (%1)").arg(reader.errorString())};
    if (image.width() > keptPictureSide || image.height() > keptPictureSide)
        image = image.scaled(keptPictureSide, keptPictureSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return {image.convertToFormat(QImage::Format_ARGB32_Premultiplied), {}};
}

QByteArray encodePng(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? png : QByteArray();
}

QImage fitIntoSquare(const QImage &image, int side)
{
    QImage square(side, side, QImage::Format_RGB32);
    square.fill(Qt::white);
    if (image.isNull())
        return square;
    const QImage fitted = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&square);
    painter.drawImage((side - fitted.width()) / 2, (side - fitted.height()) / 2, fitted);
    return square;
}

QString checkRecordingHeader(QIODevice &device, const QString &fileName)
{
    if (const QString problem = startProblem(device.size(), device.peek(8)); !problem.isEmpty())
        return problem;
    const SndFile *sndfile = SndFile::get();
    SF_VIRTUAL_IO io{deviceLength, deviceSeek, deviceRead, memoryWrite, deviceTell};
    SF_INFO info{};
    SNDFILE *file = sndfile->sf_open_virtual(&io, SFM_READ, &info, &device);
    if (!file)
        return unopenedProblem(fileName);
    sndfile->sf_close(file);
    return infoProblem(info);
}

bool canReadSounds()
{
    return SndFile::get();
}

Recording convertRecording(const QByteArray &fileBytes, const QString &fileName)
{
    // A recording converted before (an imported set's, or one stored at 8
    // bits by an earlier version) stays as it is: converting it again would
    // only lose detail.
    if (isConverted(fileBytes))
        return {fileBytes, {}};
    std::vector<float> s;
    if (const QString problem = decodeMono(fileBytes, fileName, s); !problem.isEmpty())
        return {{}, problem};

    // Trim to the first and last blocks above the silence floor.
    const std::vector<double> blocks = blockRms(s);
    const double floor = std::pow(10.0, silenceDb / 20);
    const auto first = std::find_if(blocks.begin(), blocks.end(), [&](double b) { return b > floor; });
    if (first == blocks.end())
        return {{}, OwnMedia::tr("holds only silence")};
    const auto last = std::find_if(blocks.rbegin(), blocks.rend(), [&](double b) { return b > floor; });
    const size_t from = size_t(first - blocks.begin()) * blockSamples;
    const size_t to = std::min(s.size(), size_t(blocks.rend() - last) * blockSamples);
    // The limit is the word's, not the file's: silence around it costs nothing.
    if (double(to - from) / gameRate > maxRecordingSeconds)
        return {{}, OwnMedia::tr("holds too long a word: %1 seconds without the silence around it; a word may take %2 seconds at most")
                        .arg(double(to - from) / gameRate, 0, 'f', 1)
                        .arg(maxRecordingSeconds)};
    s = std::vector<float>(s.begin() + qsizetype(from), s.begin() + qsizetype(to));

    // Level, without letting the loudest sample clip.
    const double loudness = activeLoudnessOf(blockRms(s));
    float peak = 0;
    for (float v : s)
        peak = std::max(peak, std::abs(v));
    double gain = std::pow(10.0, (wordLoudnessDb - loudness) / 20);
    gain = std::min(gain, 0.98 / std::max(peak, 1e-6f));
    // A 10 ms fade at the end, so the cut makes no click.
    const size_t fade = std::min<size_t>(s.size(), blockSamples);
    for (size_t i = 0; i < s.size(); ++i) {
        const size_t left = s.size() - i;
        s[i] = float(s[i] * gain * (left < fade ? double(left) / fade : 1.0));
    }

    // 16-bit, rounded without dither (its step lies 90 dB under the word),
    // between 50 ms and 30 ms of silence.
    const qsizetype before = gameRate / 20, after = gameRate * 3 / 100;
    QByteArray samples((before + qsizetype(s.size()) + after) * 2, '\0');
    char *at = samples.data() + before * 2;
    for (float v : s) {
        qToLittleEndian(qint16(std::clamp(std::lround(v * 32767.0), -32767L, 32767L)), at);
        at += 2;
    }
    return {waveFile(samples, 16), {}};
}

double activeLoudness(const QByteArray &samples, int bitsPerSample)
{
    std::vector<float> s;
    if (bitsPerSample == 16) {
        s.reserve(size_t(samples.size() / 2));
        for (qsizetype i = 0; i + 1 < samples.size(); i += 2)
            s.push_back(float(qFromLittleEndian<qint16>(samples.constData() + i) / 32768.0));
    } else {
        s.reserve(size_t(samples.size()));
        for (char c : samples)
            s.push_back(float((quint8(c) - 128) / 128.0));
    }
    return activeLoudnessOf(blockRms(s));
}

} // namespace ownsets
