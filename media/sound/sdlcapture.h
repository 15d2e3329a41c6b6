#pragma once

#include <QByteArray>
#include <QString>

#include <SDL_audio.h>

// The microphone through SDL2's audio capture, for recording a word. SDL is
// the one the sound player loads at run time (sound/sdllibrary.h).
//
// Samples arrive on SDL's thread into its queue; take() moves them into the
// recording, so a caller polls it while the recording goes on.
class SdlCapture
{
public:
    // What is captured: 16-bit signed mono, the rate the game plays at.
    static constexpr int rate = 22050;
    static constexpr SDL_AudioFormat format = AUDIO_S16SYS;
    // Recording stops taking samples beyond this. Twice the longest word a
    // set may hold: the silence before and after the word is trimmed, so a
    // grown-up who waits a moment before speaking is not cut off.
    static constexpr int maxSeconds = 20;

    SdlCapture() = default;
    ~SdlCapture();
    SdlCapture(const SdlCapture &) = delete;
    SdlCapture &operator=(const SdlCapture &) = delete;

    // Opens the default capture device and starts recording. Empty on
    // success, else why there is no microphone to record with.
    QString start();
    bool isRecording() const { return device != 0; }
    // Moves what the device captured so far into the recording; answers the
    // seconds recorded. True in full() once maxSeconds are reached.
    double take();
    bool full() const;
    double seconds() const { return double(samples.size()) / (rate * 2); }
    // Stops and closes the device; answers the recording as a WAVE file
    // (empty when nothing was captured).
    QByteArray stop();

private:
    SDL_AudioDeviceID device = 0;
    bool sdlStarted = false;
    QByteArray samples;
};
