#include "catalogue/catalogue.h"
#include "sound/sdlsoundplayer.h"

#include <QDir>
#include <limits>

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

    // A 22050 Hz WAVE whose samples never touch silence (128, or 0 in 16
    // bits), so its bytes can be found again in what was heard. Mono 16-bit
    // is what the device plays; with two channels or 8 bits it holds the same
    // sound in that format, 16 bits with `fine` added below the 8-bit step.
    static QByteArray wave(double seconds, quint8 low, quint16 channels = 1, quint16 bits = 16, qint16 fine = 0)
    {
        QByteArray samples;
        const int count = int(seconds * 22050);
        for (int i = 0; i < count; ++i) {
            const quint8 sample = quint8(low + (i * 7) % 100);
            for (int channel = 0; channel < channels; ++channel) {
                if (bits == 16) {
                    char b[2];
                    qToLittleEndian(qint16((sample - 128) * 256 + fine), b);
                    samples.append(b, 2);
                } else {
                    samples.append(char(sample));
                }
            }
        }
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
        const quint16 blockAlign = quint16(channels * bits / 8);
        put32(16);
        put16(1);     // PCM
        put16(channels);
        put32(22050); // samples per second
        put32(22050u * blockAlign);
        put16(blockAlign);
        put16(bits);
        header.append("data");
        put32(quint32(samples.size()));
        qToLittleEndian(quint32(header.size() + samples.size() - 8), header.data() + 4);
        return header + samples;
    }
    static QByteArray samplesOf(const QByteArray &wav) { return wav.mid(44); }
    static QVector<qint16> samples16(const QByteArray &bytes)
    {
        QVector<qint16> samples(bytes.size() / 2);
        qFromLittleEndian<qint16>(bytes.constData(), samples.size(), samples.data());
        return samples;
    }

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

    // A new sound cuts off the one playing; the new one is heard whole. The
    // disk driver writes what it plays in real time, so the tests wait for the
    // bytes to be heard, and the sounds cut off last long enough for a loaded machine.
    void laterSoundCutsOffTheEarlierOne()
    {
        const QByteArray first = wave(4.0, 1);
        const QByteArray second = wave(0.3, 140);
        {
            SdlSoundPlayer player;
            QVERIFY(player.hasDevice());
            QVERIFY(player.play(first, PlayMode::Async));
            QTRY_VERIFY_WITH_TIMEOUT(heard().contains(samplesOf(first).left(1000)), 60000);
            QVERIFY(player.play(second, PlayMode::Wait));
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
            QTRY_VERIFY_WITH_TIMEOUT(heard().contains(samplesOf(original)), 60000);
        }
        QVERIFY(heard().contains(samplesOf(original)));
    }

    void stopSilencesTheSound()
    {
        const QByteArray sound = wave(4.0, 1);
        {
            SdlSoundPlayer player;
            QVERIFY(player.play(sound, PlayMode::Async));
            QTRY_VERIFY_WITH_TIMEOUT(heard().contains(samplesOf(sound).left(500)), 60000);
            player.stop();
            // Silence after the stop: a stretch of zero samples longer than any device buffer.
            const qsizetype stopped = heard().size();
            QTRY_VERIFY_WITH_TIMEOUT(heard().indexOf(QByteArray(16384, '\0'), stopped) >= 0, 60000);
        }
        QVERIFY(!heard().contains(samplesOf(sound).left(22050 * 2)));
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

    // SDL's audio thread feeds silence to an open device even when nothing
    // plays; that thread must be gone once the game has been quiet a while,
    // and the next sound must be heard whole, waiting or not, all the same.
    void sleepsWhenIdleAndWakesForTheNextSound_data()
    {
        QTest::addColumn<bool>("waits");
        QTest::newRow("waiting") << true;
        QTest::newRow("asynchronous") << false;
    }
    void sleepsWhenIdleAndWakesForTheNextSound()
    {
        QFETCH(bool, waits);
        const PlayMode mode = waits ? PlayMode::Wait : PlayMode::Async;
        // SDL names a playback device's thread "SDLAudioP<n>"; counting only
        // those keeps threads that Qt starts or ends meanwhile out of it.
        const auto audioThreads = [] {
            int count = 0;
            const QDir tasks(QStringLiteral("/proc/self/task"));
            for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                QFile name(tasks.filePath(task + QStringLiteral("/comm")));
                if (name.open(QIODevice::ReadOnly) && name.readAll().startsWith("SDLAudioP"))
                    ++count;
            }
            return count;
        };
        SdlSoundPlayer player;
        QVERIFY(!player.isStarted()); // not before the first paint or sound
        QVERIFY(player.hasDevice());
        QVERIFY(player.isDeviceOpen());
        QTRY_COMPARE_WITH_TIMEOUT(audioThreads(), 1, 60000); // named by the thread itself, once it runs
        QTRY_VERIFY_WITH_TIMEOUT(!player.isDeviceOpen(), 60000);
        QCOMPARE(audioThreads(), 0);
        QVERIFY(player.hasDevice());

        // Stopping or a sound that cannot be played does not wake it.
        player.stop();
        QVERIFY(!player.play(QByteArray("RIFF junk that is no wave"), mode));
        QVERIFY(!player.isDeviceOpen());

        // Longer than the idle time: the device stays open while it sounds,
        // or the sound would be cut off.
        const QByteArray sound = wave(SdlSoundPlayer::idleCloseMs / 1000.0 + 0.5, 1);
        QVERIFY(player.play(sound, mode));
        QVERIFY(player.isDeviceOpen());
        QTRY_VERIFY_WITH_TIMEOUT(!player.isDeviceOpen(), 60000);
        QCOMPARE(audioThreads(), 0);
        QVERIFY(heard().contains(samplesOf(sound)));
    }

    // A waiting play returns once the device has taken the whole sound, however
    // late it starts; a device that takes nothing for stallMs is given up on,
    // and later waiting plays return at once. The device here keeps what it
    // was given and reports what it took at 16 bits, on a clock that moves
    // only when the player sleeps. The right and wrong sounds (8-bit, as
    // stored) and a 16-bit word hold the game for their length.
    void waitingPlayOutlastsALateDevice_data()
    {
        QTest::addColumn<Uint64>("startsAtMs");
        QTest::addColumn<QByteArray>("sound");
        QTest::newRow("right sound at once") << Uint64(0) << catalogue::loadData(catalogue::RightSound, "WAV");
        QTest::newRow("16-bit after 2.9 s") << Uint64(2900) << wave(0.3, 1);
        QTest::newRow("wrong sound never") << std::numeric_limits<Uint64>::max()
                                           << catalogue::loadData(catalogue::WrongSound, "WAV");
    }
    void waitingPlayOutlastsALateDevice()
    {
        QFETCH(Uint64, startsAtMs);
        QFETCH(QByteArray, sound);
        struct LateDevice final : DeviceProgress
        {
            Uint64 startsAtMs = 0, now = 0;
            Uint32 bytes = 0;
            int queue(SDL_AudioDeviceID, const Uint8 *, Uint32 length) override
            {
                bytes = length;
                return 0;
            }
            Uint32 queuedBytes(SDL_AudioDeviceID) override { return bytes; }
            Uint64 milliseconds() override { return now; }
            void sleep(Uint32 ms) override
            {
                now += ms;
                if (now > startsAtMs)
                    bytes -= std::min(bytes, ms * 44);
            }
        } late;
        late.startsAtMs = startsAtMs;
        const bool starts = startsAtMs < SdlSoundPlayer::stallMs;
        SdlSoundPlayer player(&late);
        QVERIFY(player.play(sound, PlayMode::Wait));
        // Two bytes a sample reach the device, whatever the width stored, so
        // it takes them for as long as the sound lasts.
        const Uint64 soundMs = qFromLittleEndian<quint32>(sound.constData() + 40) * 1000
                               / qFromLittleEndian<quint32>(sound.constData() + 28);
        QCOMPARE(late.bytes == 0, starts);
        QCOMPARE(player.gaveUpWaiting(), !starts);
        if (starts)
            QVERIFY2(late.now >= startsAtMs + soundMs && late.now <= startsAtMs + soundMs + 40,
                     qPrintable(QString::number(late.now)));
        else
            QVERIFY2(late.now >= SdlSoundPlayer::stallMs && late.now < SdlSoundPlayer::stallMs + 100,
                     qPrintable(QString::number(late.now)));
        // The idle close spares a device that still holds a sound.
        player.closeIfIdle();
        QCOMPARE(player.isDeviceOpen(), !starts);

        const Uint64 before = late.now;
        QVERIFY(player.play(sound, PlayMode::Wait));
        QCOMPARE(late.now > before, starts);
    }

    // Every sound reaches the device as mono 16-bit, no more and no fewer
    // samples, at its level: 8 bits widened exactly, 16 bits with what lies
    // below the 8-bit step. Stereo goes through SDL's floating point, which
    // may be one step off.
    void everyFormatReachesTheDeviceAs16Bits_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("bits");
        QTest::addColumn<int>("fine");
        QTest::newRow("mono 8-bit, as set 1") << 1 << 8 << 0;
        QTest::newRow("mono 16-bit") << 1 << 16 << 37;
        QTest::newRow("stereo 16-bit") << 2 << 16 << -37;
        QTest::newRow("stereo 8-bit") << 2 << 8 << 0;
    }
    void everyFormatReachesTheDeviceAs16Bits()
    {
        QFETCH(int, channels);
        QFETCH(int, bits);
        QFETCH(int, fine);
        const QByteArray other = wave(0.2, 1, quint16(channels), quint16(bits), qint16(fine));
        QCOMPARE(qFromLittleEndian<quint16>(other.constData() + 22), quint16(channels));
        QCOMPARE(qFromLittleEndian<quint16>(other.constData() + 34), quint16(bits));
        {
            SdlSoundPlayer player;
            QVERIFY(player.play(other, PlayMode::Wait));
        }
        // Silence is 0 and the sound never is: without the silence, what was
        // heard is the sound, no more and no fewer samples.
        QVector<qint16> got = samples16(heard());
        const QVector<qint16> expected = samples16(samplesOf(wave(0.2, 1, 1, 16, qint16(fine))));
        got.removeAll(0);
        QCOMPARE(got.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            QVERIFY2(qAbs(got[i] - expected[i]) <= channels - 1,
                     qPrintable(QStringLiteral("sample %1 is %2, not %3").arg(i).arg(got[i]).arg(expected[i])));
    }
};

QTEST_GUILESS_MAIN(SdlPlayerTest)
#include "tst_sdlplayer.moc"
