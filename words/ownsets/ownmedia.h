#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QString>

// Pictures and recordings of one's own: read as untrusted input and turned
// into what the game draws and plays. Each reader answers with the result or
// a problem a grown-up can act on, never both.
namespace ownsets {

// The largest picture kept: the word picture's 90 x 90 at 3x.
constexpr int keptPictureSide = 270;
// Pictures of more pixels than this are refused before decoding.
constexpr qint64 maxPicturePixels = 50'000'000;
// A word longer than this, once the silence around it is trimmed, is refused.
constexpr double maxRecordingSeconds = 10.0;
// Files longer than this are refused before decoding: a parent's recording
// may hold long silence, but not a whole song to be decoded for nothing.
constexpr double maxRawRecordingSeconds = 60.0;
// The loudness of the built-in words: RMS of the 10 ms blocks within 30 dB
// of the loudest, in dB below full scale.
constexpr double wordLoudnessDb = -22.0;

struct Picture
{
    QImage image; // at most keptPictureSide on either side
    QString problem;
};
// Reads a PNG, JPEG or BMP file's bytes, decoding large ones scaled down and
// standing them as their orientation tag says.
Picture readPicture(const QByteArray &bytes);
// The same from an open file, read as the decoder goes: a large PNG's bytes
// are never held whole beside the picture.
Picture readPicture(QIODevice &device);
// The problem readPicture would find in the file's header, reading no more
// of `device` than the header; empty when it looks fine.
QString checkPictureHeader(QIODevice &device);
// `image` as a PNG file's bytes; empty when it cannot be encoded.
QByteArray encodePng(const QImage &image);

// `image` fitted into a square of `side` pixels on a plain white ground.
QImage fitIntoSquare(const QImage &image, int side);

struct Recording
{
    QByteArray wave; // RIFF PCM mono 22050 Hz 16-bit (8-bit when stored so before)
    QString problem;
};
// Converts a WAV, FLAC, Ogg (Vorbis or Opus), MP3 or AIFF file's bytes to
// what the game plays: mono at 22050 Hz 16-bit, silence at both ends
// trimmed, levelled to wordLoudnessDb. A file converted before, in 16 or 8
// bits, comes back as it is. `fileName`, where known, only tells a phone's
// voice memo by its ending.
Recording convertRecording(const QByteArray &fileBytes, const QString &fileName = {});

// The problem convertRecording would find in the file's header (its format,
// channels, rate and length), reading no more of `device` than libsndfile
// needs to open it; empty when it looks fine. Nothing is decoded.
QString checkRecordingHeader(QIODevice &device, const QString &fileName = {});
// Whether the sound library is there: without it every recording fails, and
// that failure is the machine's, not the file's.
bool canReadSounds();

// The active loudness of mono samples of 8 (unsigned) or 16 bits
// (signed, little-endian), as above, in dBFS.
double activeLoudness(const QByteArray &samples, int bitsPerSample);

} // namespace ownsets
