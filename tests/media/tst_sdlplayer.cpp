#include "media/sdlsoundplayer.h"

#include <QElapsedTimer>

#include <csignal>
#include <QtEndian>
#include <QtTest>

// The real speaker, with SDL's disk driver standing in for the sound card:
// it writes every byte that would have been heard to a file.
class SdlPlayerTest : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    QString heardPath;

    // A mono 8-bit 22050 Hz WAVE whose samples never touch silence (128),
    // so its bytes can be found again in what was heard.
    static QByteArray wave(double seconds, quint8 low)
    {
        QByteArray samples;
        const int count = int(seconds * 22050);
        for (int i = 0; i < count; ++i)
            samples.append(char(low + (i * 7) % 100));
        QByteArray header("RIFF....WAVEfmt ");
        const auto put32 = [&header](quint32 v) {
            char b[4];
            qToLittleEndian(v, b);
            header.append(b, 4);
        };
        const auto put16 = [&header](quint16 v) {
            char b[2];
            qToLittleEndian(v, b);
            header.append(b, 2);
        };
        put32(16);
        put16(1);     // PCM
        put16(1);     // mono
        put32(22050); // samples per second
        put32(22050); // bytes per second
        put16(1);     // block align
        put16(8);     // bits per sample
        header.append("data");
        put32(quint32(samples.size()));
        qToLittleEndian(quint32(header.size() + samples.size() - 8), header.data() + 4);
        return header + samples;
    }
    static QByteArray samplesOf(const QByteArray &wav) { return wav.mid(44); }

    QByteArray heard() const
    {
        QFile file(heardPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        heardPath = folder.filePath(QStringLiteral("heard-%1.raw").arg(QTest::currentTestFunction()));
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", heardPath.toLocal8Bit());
    }

    // A new sound cuts off the one playing; the new one is heard whole, and
    // a waiting play returns only once it has ended.
    void laterSoundCutsOffTheEarlierOne()
    {
        const QByteArray first = wave(1.0, 1);
        const QByteArray second = wave(0.3, 140);
        {
            SdlSoundPlayer player;
            QVERIFY(player.hasDevice());
            QVERIFY(player.play(first, PlayMode::Async));
            QThread::msleep(150);
            QElapsedTimer clock;
            clock.start();
            QVERIFY(player.play(second, PlayMode::Wait));
            const qint64 waited = clock.elapsed();
            QVERIFY2(waited >= 250 && waited < 3000, qPrintable(QString::number(waited)));
        }
        const QByteArray bytes = heard();
        QVERIFY(bytes.contains(samplesOf(second)));
        QVERIFY(bytes.contains(samplesOf(first).left(1000)));
        QVERIFY(!bytes.contains(samplesOf(first)));
        QVERIFY(bytes.indexOf(samplesOf(first).left(1000)) < bytes.indexOf(samplesOf(second)));
    }

    // The caller's buffer may change at once: what plays is the sound as it
    // was when play() was called.
    void playedBytesDoNotDependOnTheBuffer()
    {
        const QByteArray original = wave(0.3, 1);
        {
            SdlSoundPlayer player;
            QByteArray buffer = original;
            QVERIFY(player.play(buffer, PlayMode::Async));
            buffer.fill('\x80');
            buffer.clear();
            QThread::msleep(500);
        }
        QVERIFY(heard().contains(samplesOf(original)));
    }

    void stopSilencesTheSound()
    {
        const QByteArray sound = wave(1.0, 1);
        {
            SdlSoundPlayer player;
            QVERIFY(player.play(sound, PlayMode::Async));
            QThread::msleep(100);
            player.stop();
            QThread::msleep(300);
        }
        const QByteArray bytes = heard();
        QVERIFY(bytes.contains(samplesOf(sound).left(500)));
        QVERIFY(!bytes.contains(samplesOf(sound).left(22050 / 2)));
    }

    // Whatever goes wrong, the game goes on silently.
    void failuresAreSilent()
    {
        {
            SdlSoundPlayer player;
            QVERIFY(!player.play(QByteArray(), PlayMode::Wait));
            QVERIFY(!player.play(QByteArray("RIFF junk that is no wave"), PlayMode::Wait));
            QByteArray cut = wave(0.2, 1);
            cut.truncate(30);
            QVERIFY(!player.play(cut, PlayMode::Async));
        }
        qputenv("SDL_AUDIODRIVER", "no-such-driver");
        SdlSoundPlayer noDevice;
        QVERIFY(!noDevice.hasDevice());
        QVERIFY(!noDevice.play(wave(0.2, 1), PlayMode::Wait));
        noDevice.stop();
    }

    // SDL would catch SIGINT and SIGTERM (where nobody else has) and the game
    // would then ignore Ctrl+C and a polite kill. The test framework has
    // handlers of its own, so they are set back to the default meanwhile.
    void leavesTheStopSignalsAlone()
    {
        struct sigaction defaults {}, interrupt {}, terminate {};
        defaults.sa_handler = SIG_DFL;
        sigaction(SIGINT, &defaults, &interrupt);
        sigaction(SIGTERM, &defaults, &terminate);
        const auto handlerOf = [](int signal) {
            struct sigaction current {};
            sigaction(signal, nullptr, &current);
            return current.sa_handler;
        };
        bool leftAlone;
        {
            SdlSoundPlayer player;
            leftAlone = player.hasDevice() && handlerOf(SIGINT) == SIG_DFL && handlerOf(SIGTERM) == SIG_DFL;
        }
        sigaction(SIGINT, &interrupt, nullptr);
        sigaction(SIGTERM, &terminate, nullptr);
        QVERIFY(leftAlone);
    }

    // A sound in another format is converted, not refused.
    void otherFormatsAreConverted()
    {
        QByteArray stereo16 = wave(0.2, 1);
        {
            // Rewrite the header as 16-bit mono 11025 Hz; the samples are
            // then half as many, which is fine for this check.
            qToLittleEndian(quint32(11025), stereo16.data() + 24);
            qToLittleEndian(quint32(22050), stereo16.data() + 28);
            qToLittleEndian(quint16(2), stereo16.data() + 32);
            qToLittleEndian(quint16(16), stereo16.data() + 34);
        }
        SdlSoundPlayer player;
        QVERIFY(player.play(stereo16, PlayMode::Wait));
    }
};

QTEST_GUILESS_MAIN(SdlPlayerTest)
#include "tst_sdlplayer.moc"
