#include "ownsets/ownmedia.h"

#include "ownsets/loadedlibrary.h"

#include <QBuffer>
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

// The file's frames mixed down to one channel, at its own rate.
QString decodeMono(const QByteArray &bytes, std::vector<float> &mono, int &rate)
{
    if (bytes.isEmpty())
        return QStringLiteral("是空的");
    const SndFile *sndfile = SndFile::get();
    if (!sndfile)
        return QStringLiteral("读不了：缺少声音库（libsndfile）");
    Memory memory{bytes};
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    SF_INFO info{};
    SNDFILE *file = sndfile->sf_open_virtual(&io, SFM_READ, &info, &memory);
    if (!file)
        return QStringLiteral("不是游戏能读的声音文件（WAV、FLAC 或 Ogg）");
    const auto close = qScopeGuard([sndfile, file] { sndfile->sf_close(file); });
    if (info.channels <= 0 || info.channels > 16 || info.samplerate < 4000 || info.samplerate > 384000)
        return QStringLiteral("的声音格式游戏放不了");
    if (info.frames <= 0)
        return QStringLiteral("是空的");
    if (double(info.frames) / info.samplerate > maxRecordingSeconds)
        return QStringLiteral("超过 %1 秒").arg(maxRecordingSeconds);
    rate = info.samplerate;
    // Frames are counted as they come: a header may promise more than the file holds.
    const sf_count_t limit = sf_count_t(maxRecordingSeconds * rate) + 1;
    std::vector<float> frames(size_t(4096) * size_t(info.channels));
    for (;;) {
        const sf_count_t got = sndfile->sf_readf_float(file, frames.data(), 4096);
        if (got <= 0)
            break;
        for (sf_count_t f = 0; f < got; ++f) {
            double sum = 0;
            for (int c = 0; c < info.channels; ++c) {
                const float v = frames[size_t(f) * size_t(info.channels) + size_t(c)];
                sum += std::isfinite(v) ? std::clamp(v, -1.0f, 1.0f) : 0.0f;
            }
            mono.push_back(float(sum / info.channels));
        }
        if (sf_count_t(mono.size()) > limit)
            return QStringLiteral("超过 %1 秒").arg(maxRecordingSeconds);
    }
    if (mono.empty())
        return QStringLiteral("是空的");
    return {};
}

// Windowed-sinc resampling to the game's rate. Going down, the kernel is
// widened to cut at the new Nyquist frequency, so nothing folds back.
std::vector<float> resample(const std::vector<float> &in, int rate)
{
    if (rate == gameRate)
        return in;
    const double step = double(rate) / gameRate; // source samples per game sample
    const double cutoff = std::min(1.0, 1.0 / step);
    const int half = int(std::ceil(8 / cutoff)); // source samples each side
    // The kernel, sampled every 1/64 of a source sample.
    constexpr int perSample = 64;
    std::vector<float> kernel(size_t(half * perSample + 1));
    for (size_t j = 0; j < kernel.size(); ++j) {
        const double x = double(j) / perSample;
        const double sinc = j == 0 ? 1.0 : std::sin(M_PI * cutoff * x) / (M_PI * cutoff * x);
        kernel[j] = float(cutoff * sinc * (0.5 + 0.5 * std::cos(M_PI * x / half)));
    }
    std::vector<float> out(size_t(double(in.size()) / step));
    for (size_t i = 0; i < out.size(); ++i) {
        const double centre = double(i) * step;
        const qint64 from = std::max<qint64>(0, qint64(centre) - half + 1);
        const qint64 to = std::min<qint64>(qint64(in.size()) - 1, qint64(centre) + half);
        double sum = 0;
        for (qint64 k = from; k <= to; ++k)
            sum += in[size_t(k)] * kernel[size_t(std::lround(std::abs(double(k) - centre) * perSample))];
        out[i] = float(sum);
    }
    return out;
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
        return QStringLiteral("不是 PNG、JPEG 或 BMP 图片");
    const QSize size = reader.size();
    if (size.isEmpty())
        return QStringLiteral("是空的或打不开");
    if (qint64(size.width()) * size.height() > maxPicturePixels)
        return QStringLiteral("太大（%1 x %2 像素，最多 5000 万像素）").arg(size.width()).arg(size.height());
    return {};
}

} // namespace

QString checkPictureHeader(QIODevice &device)
{
    if (device.size() == 0)
        return QStringLiteral("是空的");
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
        return {{}, QStringLiteral("是空的")};
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
        return {{}, QStringLiteral("打不开（%1）").arg(reader.errorString())};
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

Recording convertRecording(const QByteArray &fileBytes)
{
    // A recording converted before (an imported set's, or one stored at 8
    // bits by an earlier version) stays as it is: converting it again would
    // only lose detail.
    if (isConverted(fileBytes))
        return {fileBytes, {}};
    std::vector<float> source;
    int rate = 0;
    if (const QString problem = decodeMono(fileBytes, source, rate); !problem.isEmpty())
        return {{}, problem};
    std::vector<float> s = resample(source, rate);

    // Trim to the first and last blocks above the silence floor.
    const std::vector<double> blocks = blockRms(s);
    const double floor = std::pow(10.0, silenceDb / 20);
    const auto first = std::find_if(blocks.begin(), blocks.end(), [&](double b) { return b > floor; });
    if (first == blocks.end())
        return {{}, QStringLiteral("里没有声音，只有静音")};
    const auto last = std::find_if(blocks.rbegin(), blocks.rend(), [&](double b) { return b > floor; });
    const size_t from = size_t(first - blocks.begin()) * blockSamples;
    const size_t to = std::min(s.size(), size_t(blocks.rend() - last) * blockSamples);
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
