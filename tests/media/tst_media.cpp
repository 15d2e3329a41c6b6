// Checks the committed media against what the game relies on: file names,
// exact picture sizes and BMP layout, the 2x and 3x pictures for dense
// screens, the open-mouth faces matching their rooms at every scale, the WAV format the sound code plays, and the text resources.

#include <QtCore/QByteArray>
#include <QtCore/QFile>
#include <QtCore/QHash>
#include <QtCore/QSet>
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVector>
#include <QtCore/QtEndian>
#include <QtGui/QFontMetrics>
#include <QtGui/QFontInfo>
#include <QtGui/QImage>
#include <QtTest/QtTest>

#include "catalogue/songfont.h"

#include <cmath>

namespace {

const QString kResources = QStringLiteral(WORDNEST_RESOURCES_DIR);

QByteArray readAll(const QString &relative)
{
    QFile f(kResources + QLatin1Char('/') + relative);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

quint16 u16(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

quint32 u32(const QByteArray &b, int at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

qint32 s32(const QByteArray &b, int at)
{
    return qFromLittleEndian<qint32>(b.constData() + at);
}

// A 24-bit BI_RGB BMP decoded by hand, so the test does not trust the same
// image reader the game uses.  Empty image and a reason when malformed.
struct Picture
{
    QImage image;
    QString error;
};

Picture loadBmp(int id)
{
    Picture out;
    const QByteArray b = readAll(QStringLiteral("pictures/%1.bmp").arg(id));
    if (b.size() < 54) {
        out.error = QStringLiteral("missing or shorter than its headers");
        return out;
    }
    if (b.at(0) != 'B' || b.at(1) != 'M') {
        out.error = QStringLiteral("no BM signature");
        return out;
    }
    const quint32 fileSize = u32(b, 2);
    const quint32 offBits = u32(b, 10);
    const quint32 infoSize = u32(b, 14);
    const qint32 width = s32(b, 18);
    const qint32 height = s32(b, 22);
    const quint16 planes = u16(b, 26);
    const quint16 bpp = u16(b, 28);
    const quint32 compression = u32(b, 30);
    if (fileSize != quint32(b.size()))
        out.error = QStringLiteral("size field %1, file %2").arg(fileSize).arg(b.size());
    else if (infoSize != 40)
        out.error = QStringLiteral("info header of %1 bytes, not BITMAPINFOHEADER").arg(infoSize);
    else if (planes != 1 || bpp != 24)
        out.error = QStringLiteral("%1 planes, %2 bits per pixel").arg(planes).arg(bpp);
    else if (compression != 0)
        out.error = QStringLiteral("compression %1").arg(compression);
    else if (width <= 0 || height == 0)
        out.error = QStringLiteral("bad dimensions %1 x %2").arg(width).arg(height);
    if (!out.error.isEmpty())
        return out;

    const int rows = std::abs(height);
    const int stride = (width * 3 + 3) & ~3;
    if (offBits < 54 || qint64(offBits) + qint64(stride) * rows > b.size()) {
        out.error = QStringLiteral("pixel data does not fit in the file");
        return out;
    }
    QImage img(width, rows, QImage::Format_RGB32);
    for (int y = 0; y < rows; ++y) {
        const int fileRow = height > 0 ? rows - 1 - y : y;  // bottom-up if positive
        const auto *p = reinterpret_cast<const uchar *>(b.constData()) + offBits
                        + qint64(fileRow) * stride;
        for (int x = 0; x < width; ++x)
            img.setPixel(x, y, qRgb(p[3 * x + 2], p[3 * x + 1], p[3 * x]));
    }
    out.image = img;
    return out;
}

QImage mustLoadBmp(int id)
{
    const Picture bmp = loadBmp(id);
    if (!bmp.error.isEmpty())
        qWarning("picture %d: %s", id, qPrintable(bmp.error));
    return bmp.image;
}

// A picture at 2x or 3x: a PNG of 8-bit RGB without alpha, so it is drawn
// on the same opaque ground as the BMP.  Empty image and a reason otherwise.
Picture loadLargePng(int id, int scale)
{
    Picture out;
    const QByteArray b = readAll(QStringLiteral("pictures/%1@%2x.png").arg(id).arg(scale));
    if (!b.startsWith("\x89PNG\r\n\x1a\n") || b.size() < 33 || b.mid(12, 4) != "IHDR") {
        out.error = QStringLiteral("missing or not a PNG file");
        return out;
    }
    const int bitDepth = uchar(b.at(24));
    const int colourType = uchar(b.at(25));
    if (bitDepth != 8 || colourType != 2) {
        out.error = QStringLiteral("bit depth %1, colour type %2, not 8-bit RGB")
                        .arg(bitDepth).arg(colourType);
        return out;
    }
    if (!out.image.loadFromData(b, "PNG"))
        out.error = QStringLiteral("PNG does not decode");
    else
        out.image = out.image.convertToFormat(QImage::Format_RGB32);
    return out;
}

Picture loadPicture(int id, int scale)
{
    return scale == 1 ? loadBmp(id) : loadLargePng(id, scale);
}

// Mean absolute difference per channel, 0..255.
double meanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                   + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

struct Wav
{
    QByteArray samples;  // unsigned 8-bit; 16-bit ones rounded to that, for the checks below
    int bits = 0;
    QString error;
    qint64 fileSize = 0;
};

Wav loadWav(int id)
{
    Wav out;
    const QByteArray b = readAll(QStringLiteral("recordings/%1.wav").arg(id));
    out.fileSize = b.size();
    if (b.size() < 44 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE") {
        out.error = QStringLiteral("not a RIFF WAVE file");
        return out;
    }
    if (u32(b, 4) != quint32(b.size() - 8)) {
        out.error = QStringLiteral("RIFF length %1 for a file of %2 bytes").arg(u32(b, 4)).arg(b.size());
        return out;
    }
    bool haveFmt = false;
    int pos = 12;
    while (pos + 8 <= b.size()) {
        const QByteArray id4 = b.mid(pos, 4);
        const quint32 len = u32(b, pos + 4);
        const qint64 end = qint64(pos) + 8 + len;
        if (end > b.size()) {
            out.error = QStringLiteral("chunk '%1' runs past the end").arg(QString::fromLatin1(id4));
            return out;
        }
        if (id4 == "fmt ") {
            if (len < 16) {
                out.error = QStringLiteral("short fmt chunk");
                return out;
            }
            const quint16 format = u16(b, pos + 8);
            const quint16 channels = u16(b, pos + 10);
            const quint32 rate = u32(b, pos + 12);
            const quint32 byteRate = u32(b, pos + 16);
            const quint16 align = u16(b, pos + 20);
            const quint16 bits = u16(b, pos + 22);
            if (format != 1 || channels != 1 || rate != 22050 || (bits != 8 && bits != 16)
                || byteRate != 22050u * bits / 8 || align != bits / 8) {
                out.error = QStringLiteral("format %1, %2 ch, %3 Hz, %4 bits, %5 B/s, align %6")
                                .arg(format).arg(channels).arg(rate).arg(bits).arg(byteRate).arg(align);
                return out;
            }
            haveFmt = true;
            out.bits = bits;
        } else if (id4 == "data") {
            if (!haveFmt) {
                out.error = QStringLiteral("data before fmt");
                return out;
            }
            // The data must account for the rest of the file (one pad byte
            // at most), or the player would read garbage or stop early.
            if (b.size() - end > (len & 1)) {
                out.error = QStringLiteral("%1 bytes after the data chunk").arg(b.size() - end);
                return out;
            }
            out.samples = b.mid(pos + 8, int(len));
            if (out.bits == 16) {
                QByteArray rounded;
                for (int i = 0; i + 1 < out.samples.size(); i += 2)
                    rounded.append(char(std::clamp(std::lround(qint16(u16(out.samples, i)) / 256.0) + 128, 0L, 255L)));
                out.samples = rounded;
            }
            return out;
        }
        pos = int(end + (len & 1));
    }
    out.error = QStringLiteral("no data chunk");
    return out;
}

double seconds(const Wav &w)
{
    return w.samples.size() / 22050.0;
}

double rms(const QByteArray &s, int from, int to)
{
    double sum = 0;
    for (int i = from; i < to; ++i) {
        const int v = uchar(s.at(i)) - 128;
        sum += v * v;
    }
    return to > from ? std::sqrt(sum / (to - from)) : 0;
}

int maxDeviation(const QByteArray &s, int from, int to)
{
    int m = 0;
    for (int i = from; i < to; ++i)
        m = qMax(m, std::abs(uchar(s.at(i)) - 128));
    return m;
}

// RMS of each 10 ms block, in 8-bit steps.
QVector<double> blockLevels(const QByteArray &s)
{
    const int n = 22050 / 100;
    QVector<double> out;
    for (int i = 0; i + n <= s.size(); i += n)
        out.append(rms(s, i, i + n));
    return out;
}

// Loudness of the speech alone: the RMS over the blocks no more than 30 dB
// below the loudest one, in dB below full scale (128 steps).
double activeLoudness(const QByteArray &s)
{
    const QVector<double> levels = blockLevels(s);
    double loudest = 0;
    for (double v : levels)
        loudest = qMax(loudest, v);
    const double gate = loudest / std::pow(10.0, 30.0 / 20);
    double sum = 0;
    int count = 0;
    for (double v : levels) {
        if (v > 0 && v >= gate) {
            sum += v * v;
            ++count;
        }
    }
    return count ? 10 * std::log10(sum / count / (128.0 * 128.0)) : -1000;
}

// Milliseconds of silence before the first and after the last block that
// rises clear of the 8-bit floor (1 step RMS, -42 dBFS; dithered 8-bit
// hiss is about 0.6).
QPair<int, int> silentEdgesMs(const QByteArray &s)
{
    const QVector<double> levels = blockLevels(s);
    int first = 0, last = levels.size() - 1;
    while (first < levels.size() && levels.at(first) < 1.0)
        ++first;
    while (last >= 0 && levels.at(last) < 1.0)
        --last;
    return {first * 10, int((s.size() - (last + 1) * (22050 / 100)) * 1000 / 22050)};
}

QString readString(int id)
{
    return QString::fromUtf8(readAll(QStringLiteral("strings/%1.txt").arg(id)));
}

const QStringList kWords = {
    QStringLiteral("bed"),    QStringLiteral("bookcase"), QStringLiteral("bread"),
    QStringLiteral("broom"),  QStringLiteral("chair"),    QStringLiteral("clock"),
    QStringLiteral("computer"), QStringLiteral("cup"),    QStringLiteral("door"),
    QStringLiteral("drawing"), QStringLiteral("drum"),    QStringLiteral("flower"),
    QStringLiteral("jam"),    QStringLiteral("milk"),     QStringLiteral("mirror"),
    QStringLiteral("phone"),  QStringLiteral("piano"),    QStringLiteral("sofa"),
    QStringLiteral("table"),  QStringLiteral("window"),
};

// Word set n's list is string 100 + n; set 1's words are 101.., the others'
// 1000 n + 101...
const int kWordSets = 6;

int firstWordId(int set)
{
    return set == 1 ? 101 : 1000 * set + 101;
}

// Room picture, its open-mouth face picture and the string with the face's
// position: the game reads the position from the string, so test through it.
struct RoomFace
{
    int room;
    int face;
    int position;
    QSize faceSize;
};

const RoomFace kRoomFaces[] = {
    {200, 204, 300, {44, 25}},
    {201, 205, 301, {49, 42}},
    {202, 206, 302, {48, 35}},
    {203, 207, 303, {52, 32}},
};

const QRgb kNavy = qRgb(0, 0, 128);

// Word set n's pictures are 1000 n + 101 + index; set 1 keeps 101 + index.

QVector<int> wordPictureIds()
{
    QVector<int> ids;
    for (int set = 1; set <= kWordSets; ++set)
        for (int i = 0; i < 20; ++i)
            ids.append((set == 1 ? 0 : 1000 * set) + 101 + i);
    return ids;
}

} // namespace

class TstMedia : public QObject
{
    Q_OBJECT

private slots:
    void pictureFormat_data();
    void pictureFormat();
    void wordPicturesShowAnObjectOnPlainGround();
    void wordPicturesAreAllDifferent();
    void roomsKeepTheHiddenStripPlain();
    void faceMatchesRoom_data();
    void faceMatchesRoom();
    void windowPicturesSitOnNavy_data();
    void windowPicturesSitOnNavy();
    void icons_data();
    void icons();
    void recordingFormat_data();
    void recordingFormat();
    void wordsAreSpokenBetweenSilences_data();
    void wordsAreSpokenBetweenSilences();
    void effectsAreDistinct();
    void wordList_data();
    void wordList();
    void facePositions_data();
    void facePositions();
};

void TstMedia::pictureFormat_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("scale");
    QVector<QPair<int, QSize>> pictures;
    for (int id : wordPictureIds())
        pictures.append({id, QSize(90, 90)});
    for (int id = 200; id <= 203; ++id)
        pictures.append({id, QSize(450, 450)});
    for (const RoomFace &rf : kRoomFaces)
        pictures.append({rf.face, rf.faceSize});
    pictures.append({301, QSize(50, 35)});
    pictures.append({302, QSize(50, 35)});
    pictures.append({303, QSize(16, 16)});
    pictures.append({304, QSize(85, 85)});
    for (const auto &[id, size] : pictures) {
        QTest::addRow("%d", id) << id << size << 1;
        for (int scale : {2, 3})
            QTest::addRow("%d@%dx", id, scale) << id << size * scale << scale;
    }
}

void TstMedia::pictureFormat()
{
    QFETCH(int, id);
    QFETCH(QSize, size);
    QFETCH(int, scale);
    const Picture picture = loadPicture(id, scale);
    QVERIFY2(picture.error.isEmpty(), qPrintable(picture.error));
    QCOMPARE(picture.image.size(), size);
    if (scale == 1)
        return;
    // The larger picture shows the same thing: scaled down it stays close to
    // the 1x picture (edges differ a little, a swapped or shifted picture a
    // lot).
    const QImage one = mustLoadBmp(id);
    QVERIFY(!one.isNull());
    const QImage down = picture.image.scaled(one.size(), Qt::IgnoreAspectRatio,
                                             Qt::SmoothTransformation);
    const double diff = meanDifference(down, one);
    QVERIFY2(diff < 1.5, qPrintable(QStringLiteral("mean difference %1").arg(diff)));
}

void TstMedia::wordPicturesShowAnObjectOnPlainGround()
{
    for (int id : wordPictureIds()) {
        const QImage img = mustLoadBmp(id);
        QVERIFY2(!img.isNull(), qPrintable(QString::number(id)));
        const QRgb ground = img.pixel(0, 0);
        const int w = img.width(), h = img.height();
        // Plain ground: the corners and the outer frame are the ground.
        for (int i = 0; i < w; ++i) {
            QVERIFY2(img.pixel(i, 0) == ground && img.pixel(i, h - 1) == ground,
                     qPrintable(QStringLiteral("picture %1 ground not plain at top/bottom").arg(id)));
            QVERIFY2(img.pixel(0, i) == ground && img.pixel(w - 1, i) == ground,
                     qPrintable(QStringLiteral("picture %1 ground not plain at the sides").arg(id)));
        }
        // A large object, centred: its box spans most of the picture one
        // way or the other, its centre is near the middle, and it is more
        // than a thin outline.
        int object = 0;
        QRect box;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (img.pixel(x, y) != ground) {
                    ++object;
                    box |= QRect(x, y, 1, 1);
                }
        const QString what = QStringLiteral("picture %1: object %2 px in box %3,%4 %5x%6")
                                 .arg(id).arg(object).arg(box.x()).arg(box.y())
                                 .arg(box.width()).arg(box.height());
        QVERIFY2(qMax(box.width(), box.height()) >= w * 7 / 10, qPrintable(what));
        QVERIFY2(qMin(box.width(), box.height()) >= w * 4 / 10, qPrintable(what));
        QVERIFY2(qAbs(box.center().x() - w / 2) <= 6 && qAbs(box.center().y() - h / 2) <= 6,
                 qPrintable(what));
        QVERIFY2(object >= w * h / 6, qPrintable(what));
    }
}

void TstMedia::wordPicturesAreAllDifferent()
{
    QHash<QByteArray, int> seen;
    for (int id : wordPictureIds()) {
        const QImage img = mustLoadBmp(id);
        QVERIFY(!img.isNull());
        const QByteArray key(reinterpret_cast<const char *>(img.constBits()), int(img.sizeInBytes()));
        QVERIFY2(!seen.contains(key),
                 qPrintable(QStringLiteral("%1 repeats %2").arg(id).arg(seen.value(key))));
        seen.insert(key, id);
    }
}

void TstMedia::roomsKeepTheHiddenStripPlain()
{
    // The answer pictures cover y < 182; anything drawn there is never seen.
    for (int id = 200; id <= 203; ++id) {
        const QImage img = mustLoadBmp(id);
        QVERIFY(!img.isNull());
        const QRgb wall = img.pixel(0, 0);
        for (int y = 0; y < 182; ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixel(x, y) != wall)
                    QFAIL(qPrintable(QStringLiteral("room %1 has a drawing at (%2,%3)").arg(id).arg(x).arg(y)));
    }
}

void TstMedia::faceMatchesRoom_data()
{
    QTest::addColumn<int>("room");
    QTest::addColumn<int>("face");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("scale");
    for (const RoomFace &rf : kRoomFaces)
        for (int scale : {1, 2, 3})
            QTest::addRow("%d@%dx", rf.room, scale) << rf.room << rf.face << rf.position << scale;
}

void TstMedia::faceMatchesRoom()
{
    QFETCH(int, room);
    QFETCH(int, face);
    QFETCH(int, position);
    QFETCH(int, scale);
    const QImage roomImg = loadPicture(room, scale).image;
    const QImage faceImg = loadPicture(face, scale).image;
    QVERIFY(!roomImg.isNull() && !faceImg.isNull());
    const QStringList fields = readString(position).split(QLatin1Char(','));
    QVERIFY(fields.size() >= 2);
    // A larger view lays the larger face at the scaled position.
    const QPoint at = QPoint(fields.at(0).toInt(), fields.at(1).toInt()) * scale;
    const QRect rect(at, faceImg.size());
    QVERIFY2(roomImg.rect().contains(rect), "face lies outside the room");
    // The strip right of x = 445 cannot be clicked, so the face must not
    // need it.
    QVERIFY(rect.right() < 445 * scale);
    int equal = 0, total = 0;
    QRect mouth;
    for (int y = 0; y < faceImg.height(); ++y) {
        for (int x = 0; x < faceImg.width(); ++x) {
            const bool same = faceImg.pixel(x, y) == roomImg.pixel(at.x() + x, at.y() + y);
            const bool border = x == 0 || y == 0 || x == faceImg.width() - 1
                                || y == faceImg.height() - 1;
            if (border && !same)
                QFAIL(qPrintable(QStringLiteral("seam at face pixel (%1,%2)").arg(x).arg(y)));
            equal += same;
            if (!same)
                mouth |= QRect(x, y, 1, 1);
            ++total;
        }
    }
    QVERIFY2(equal * 100 >= total * 60,
             qPrintable(QStringLiteral("only %1 of %2 pixels agree").arg(equal).arg(total)));
    QVERIFY2(!mouth.isEmpty(), "the face shows no open mouth");
    // Only the mouth may change: a face laid a pixel off also differs at the
    // eyes, which spreads the changes across the face.
    QVERIFY2(mouth.width() * 2 <= faceImg.width(),
             qPrintable(QStringLiteral("changes span %1 of %2 px").arg(mouth.width()).arg(faceImg.width())));
}

void TstMedia::windowPicturesSitOnNavy_data()
{
    QTest::addColumn<int>("id");
    for (int id = 301; id <= 304; ++id)
        QTest::addRow("%d", id) << id;
}

void TstMedia::windowPicturesSitOnNavy()
{
    QFETCH(int, id);
    const QImage img = mustLoadBmp(id);
    QVERIFY(!img.isNull());
    const int r = img.width() - 1, b = img.height() - 1;
    for (const QPoint &p : {QPoint(0, 0), QPoint(r, 0), QPoint(0, b), QPoint(r, b)})
        QCOMPARE(img.pixel(p), kNavy);
    // Something is drawn on it.
    QVERIFY(img.pixel(img.width() / 2, img.height() / 2) != kNavy);
}

void TstMedia::icons_data()
{
    QTest::addColumn<int>("size");
    for (int s : {32, 48, 64, 128, 256})
        QTest::addRow("%d", s) << s;
}

void TstMedia::icons()
{
    QFETCH(int, size);
    const QByteArray png = readAll(QStringLiteral("icon/wordnest-%1.png").arg(size));
    QVERIFY2(png.startsWith("\x89PNG\r\n\x1a\n"), "not a PNG file");
    QImage img;
    QVERIFY(img.loadFromData(png, "PNG"));
    QCOMPARE(img.size(), QSize(size, size));
    QVERIFY(qAlpha(img.pixel(size / 2, size / 2)) == 255);
}

void TstMedia::recordingFormat_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<double>("minSeconds");
    QTest::addColumn<double>("maxSeconds");
    for (int set = 1; set <= kWordSets; ++set) {
        const QStringList words = readString(100 + set).split(QLatin1Char(','));
        for (int i = 0; i < 20; ++i)
            QTest::addRow("%d %s", firstWordId(set) + i, qPrintable(words.value(i)))
                << firstWordId(set) + i << 0.72 << 1.25;
    }
    QTest::addRow("121 wrong") << 121 << 0.25 << 0.30;
    QTest::addRow("122 right") << 122 << 0.33 << 0.39;
    QTest::addRow("123 round done") << 123 << 5.2 << 5.3;
    QTest::addRow("124 no place") << 124 << 0.42 << 0.48;
}

void TstMedia::recordingFormat()
{
    QFETCH(int, id);
    QFETCH(double, minSeconds);
    QFETCH(double, maxSeconds);
    const Wav wav = loadWav(id);
    QVERIFY2(wav.error.isEmpty(), qPrintable(wav.error));
    const double len = seconds(wav);
    QVERIFY2(len >= minSeconds && len <= maxSeconds,
             qPrintable(QStringLiteral("%1 s").arg(len)));
    // Set 1 and the effects stay 8-bit as they always were; the later sets,
    // in other voices, are 16-bit.
    const int set = id / 1000;
    QCOMPARE(wav.bits, set >= 2 ? 16 : 8);
    // Full-scale samples mean clipping, which children hear as crackle.
    for (int i = 0; i < wav.samples.size(); ++i) {
        const uchar v = uchar(wav.samples.at(i));
        if (v == 0 || v == 255)
            QFAIL(qPrintable(QStringLiteral("clipped at sample %1").arg(i)));
    }
    QVERIFY(rms(wav.samples, 0, wav.samples.size()) > 5);
    // A sound cut off while it still rings clicks; each must have faded out.
    const int end = 22050 * 5 / 1000;
    QVERIFY2(maxDeviation(wav.samples, wav.samples.size() - end, wav.samples.size()) <= 2,
             "the last 5 ms are not silent");
    if (id == 123)
        QVERIFY2(wav.fileSize <= 115832, qPrintable(QString::number(wav.fileSize)));
}

void TstMedia::wordsAreSpokenBetweenSilences_data()
{
    QTest::addColumn<int>("first");
    for (int set = 1; set <= kWordSets; ++set)
        QTest::addRow("set %d", set) << firstWordId(set);
}

void TstMedia::wordsAreSpokenBetweenSilences()
{
    QFETCH(int, first);
    const int edge = 22050 * 25 / 1000;  // 25 ms
    QVector<double> loudness;
    for (int id = first; id < first + 20; ++id) {
        const Wav wav = loadWav(id);
        QVERIFY2(wav.error.isEmpty(), qPrintable(wav.error));
        const QByteArray &s = wav.samples;
        const int n = s.size();
        QVERIFY(n > 4 * edge);
        // A short quiet lead and tail: the word is not cut off, and clicks
        // on starting playback are avoided.
        QVERIFY2(maxDeviation(s, 0, edge) <= 3,
                 qPrintable(QStringLiteral("%1 starts with sound").arg(id)));
        QVERIFY2(maxDeviation(s, n - edge, n) <= 3,
                 qPrintable(QStringLiteral("%1 ends with sound").arg(id)));
        // Speech in the middle; its loudness is checked below.
        QVERIFY2(rms(s, n / 4, 3 * n / 4) >= 8,
                 qPrintable(QStringLiteral("%1 has no speech in the middle").arg(id)));
        // Soft consonants count as speech only when clear of the floor, so
        // a long quiet start or end fails here as well as a long pause.
        const QPair<int, int> silent = silentEdgesMs(s);
        QVERIFY2(silent.first < 80 && silent.second < 80,
                 qPrintable(QStringLiteral("%1 has %2 ms of silence before and %3 ms after")
                                .arg(id).arg(silent.first).arg(silent.second)));
        loudness.append(activeLoudness(s));
    }
    // Every word as loud as the others, and none so quiet that the 8-bit
    // hiss gets near it.
    double mean = 0;
    for (double l : loudness)
        mean += l / loudness.size();
    for (int i = 0; i < loudness.size(); ++i) {
        QVERIFY2(qAbs(loudness.at(i) - mean) <= 2.0 && loudness.at(i) >= -24,
                 qPrintable(QStringLiteral("%1 at %2 dBFS, the words' mean %3 dBFS")
                                .arg(first + i).arg(loudness.at(i), 0, 'f', 1).arg(mean, 0, 'f', 1)));
    }
}

void TstMedia::effectsAreDistinct()
{
    QSet<QByteArray> seen;
    for (int id = 121; id <= 124; ++id) {
        const Wav wav = loadWav(id);
        QVERIFY2(wav.error.isEmpty(), qPrintable(wav.error));
        QVERIFY(!seen.contains(wav.samples));
        seen.insert(wav.samples);
    }
}

void TstMedia::wordList_data()
{
    QTest::addColumn<int>("set");
    for (int set = 1; set <= kWordSets; ++set)
        QTest::addRow("%d", 100 + set) << set;
}

void TstMedia::wordList()
{
    QFETCH(int, set);
    const QByteArray raw = readAll(QStringLiteral("strings/%1.txt").arg(100 + set));
    QVERIFY(!raw.isEmpty());
    QVERIFY2(!raw.startsWith("\xEF\xBB\xBF"), "byte order mark");
    QVERIFY2(!raw.endsWith('\n') && !raw.endsWith('\r'), "trailing newline");
    const QStringList fields = QString::fromUtf8(raw).split(QLatin1Char(','));
    QCOMPARE(fields.size(), 20);
    // Each word is in no other place of any set, and fits Label3 (105 px)
    // in the game's font.
    const QFontMetrics label3(songFont(12));
    QVERIFY2(songFont(12).families().contains(QFontInfo(songFont(12)).family()),
             "no CJK font of the game's list is installed");
    for (int other = 1; other <= kWordSets; ++other) {
        const QStringList words = readString(100 + other).split(QLatin1Char(','));
        for (const QString &word : fields)
            QVERIFY2(words.count(word) == (other == set ? 1 : 0) && !word.trimmed().isEmpty()
                         && label3.horizontalAdvance(word) <= 105,
                     qPrintable(QStringLiteral("'%1' (%2 px) against set %3")
                                    .arg(word).arg(label3.horizontalAdvance(word)).arg(other)));
    }
    // The grown-ups read each word in Chinese: one meaning a word, in the same order.
    const QStringList meanings = readString(400 + set).split(QLatin1Char(','));
    QVERIFY2(meanings.size() == 20 && !meanings.contains(QString()) && !meanings.join(u',').contains(u' '), qPrintable(meanings.join(u'|')));
    if (set != 1)
        return;
    QCOMPARE(fields.at(0), QStringLiteral("bed"));
    QCOMPARE(fields.at(12), QStringLiteral("jam"));
    QCOMPARE(fields.at(19), QStringLiteral("window"));
    // Each word appears once and matches the order the pictures use.
    QCOMPARE(fields, kWords);
}

void TstMedia::facePositions_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("expected");
    QTest::addRow("300") << 300 << QByteArray("354,298,284,292");
    QTest::addRow("301") << 301 << QByteArray("361,396,130,340");
    QTest::addRow("302") << 302 << QByteArray("378,392,333,279");
    QTest::addRow("303") << 303 << QByteArray("280,366,290,187");
}

void TstMedia::facePositions()
{
    QFETCH(int, id);
    QFETCH(QByteArray, expected);
    QCOMPARE(readAll(QStringLiteral("strings/%1.txt").arg(id)), expected);
}

QTEST_MAIN(TstMedia)
#include "tst_media.moc"
