#include "media/sdlsoundplayer.h"

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

    // A 22050 Hz WAVE whose samples never touch silence (128), so its bytes
    // can be found again in what was heard. Mono 8-bit is what the game plays;
    // with two channels or 16 bits it holds the same sound in that format.
    static QByteArray wave(double seconds, quint8 low, quint16 channels = 1, quint16 bits = 8)
    {
        QByteArray samples;
        const int count = int(seconds * 22050);
        for (int i = 0; i < count; ++i) {
            const quint8 sample = quint8(low + (i * 7) % 100);
            for (int channel = 0; channel < channels; ++channel) {
                if (bits == 16) {
                    char b[2];
                    qToLittleEndian(qint16((sample - 128) * 256), b);
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
            // Silence after the stop: a stretch of 128s longer than any device buffer.
            const qsizetype stopped = heard().size();
            QTRY_VERIFY_WITH_TIMEOUT(heard().indexOf(QByteArray(8192, '\x80'), stopped) >= 0, 60000);
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
    // and later waiting plays return at once. The device here reports what it
    // took on a clock that moves only when the player sleeps.
    void waitingPlayOutlastsALateDevice_data()
    {
        QTest::addColumn<Uint64>("startsAtMs");
        QTest::newRow("at once") << Uint64(0);
        QTest::newRow("after 2.9 s") << Uint64(2900);
        QTest::newRow("never") << std::numeric_limits<Uint64>::max();
    }
    void waitingPlayOutlastsALateDevice()
    {
        QFETCH(Uint64, startsAtMs);
        struct LateDevice final : DeviceProgress
        {
            Uint64 startsAtMs = 0, now = 0;
            Uint32 bytes = 0;
            Uint32 queuedBytes(SDL_AudioDeviceID) override { return bytes; }
            Uint64 milliseconds() override { return now; }
            void sleep(Uint32 ms) override
            {
                now += ms;
                if (now > startsAtMs)
                    bytes -= std::min(bytes, ms * 22);
            }
        } late;
        late.startsAtMs = startsAtMs;
        const bool starts = startsAtMs < SdlSoundPlayer::stallMs;
        SdlSoundPlayer player(&late);
        late.bytes = 6615; // 0.3 s
        QVERIFY(player.play(wave(0.3, 1), PlayMode::Wait));
        QCOMPARE(late.bytes == 0, starts);
        QCOMPARE(player.gaveUpWaiting(), !starts);
        if (starts)
            QVERIFY2(late.now >= startsAtMs + 300, qPrintable(QString::number(late.now)));
        else
            QVERIFY2(late.now >= SdlSoundPlayer::stallMs && late.now < SdlSoundPlayer::stallMs + 100,
                     qPrintable(QString::number(late.now)));
        // The idle close spares a device that still holds a sound.
        player.closeIfIdle();
        QCOMPARE(player.isDeviceOpen(), !starts);

        const Uint64 before = late.now;
        late.bytes = 6615;
        QVERIFY(player.play(wave(0.3, 1), PlayMode::Wait));
        QCOMPARE(late.now > before, starts);
    }

    // A sound in another format is converted, not refused: the device gets
    // the same sound in its own format, no more and no fewer samples.
    void otherFormatsAreConverted_data()
    {
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("bits");
        QTest::newRow("stereo 16-bit") << 2 << 16;
        QTest::newRow("mono 16-bit") << 1 << 16;
        QTest::newRow("stereo 8-bit") << 2 << 8;
    }
    void otherFormatsAreConverted()
    {
        QFETCH(int, channels);
        QFETCH(int, bits);
        const QByteArray expected = samplesOf(wave(0.2, 1));
        const QByteArray other = wave(0.2, 1, quint16(channels), quint16(bits));
        QCOMPARE(qFromLittleEndian<quint16>(other.constData() + 22), quint16(channels));
        QCOMPARE(other.size() - 44, expected.size() * channels * bits / 8);
        {
            SdlSoundPlayer player;
            QVERIFY(player.play(other, PlayMode::Wait));
        }
        // Silence is 128 and the sound never is: the sound is the one run of
        // other bytes. Converting through floating point may be off by one.
        const QByteArray bytes = heard();
        const qsizetype start = std::find_if(bytes.begin(), bytes.end(), [](char b) { return quint8(b) != 128; })
                                - bytes.begin();
        qsizetype end = start;
        while (end < bytes.size() && quint8(bytes[end]) != 128)
            ++end;
        QCOMPARE(end - start, expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const int difference = quint8(bytes[start + i]) - quint8(expected[i]);
            QVERIFY2(qAbs(difference) <= 1, qPrintable(QStringLiteral("sample %1 is %2, not %3")
                                                           .arg(i).arg(quint8(bytes[start + i]))
                                                           .arg(quint8(expected[i]))));
        }
    }
};

QTEST_GUILESS_MAIN(SdlPlayerTest)
#include "tst_sdlplayer.moc"
