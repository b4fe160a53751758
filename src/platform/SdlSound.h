#pragma once
// The program's sound: wav files played in the background through SDL's
// audio, one at a time, once or over and over.

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class SdlSound {
public:
    // `beep` gives the system's alert sound; it stands in for a wav that
    // cannot be played.
    explicit SdlSound(std::function<void()> beep);
    ~SdlSound();
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    // Flags as in Platform::sndPlaySoundA. An empty `path` stops the sound.
    // Otherwise the wav at `path` starts in the background (whether or not
    // kSndAsync is given; the call never waits), ending the sound before it,
    // and repeats until stopped or replaced while kSndLoop is set. A file
    // that is missing or cannot be decoded ends the sound before it and
    // beeps. The audio device opens on the first sound; when there is none,
    // every sound is silent and the failure is not retried.
    void Play(const QString& path, int flags);

    // True while a sound is heard: a looping one until stopped or replaced,
    // a single one until its end.
    bool IsPlaying() const;

    // True once opening the audio device has failed: sounds are silent.
    bool DeviceMissing() const { return unavailable_; }

    // What the open device consumes.
    struct Format {
        std::uint16_t sdlFormat = 0;  // an SDL_AudioFormat (AUDIO_S16LSB, ...)
        int channels = 0;
        int frequency = 0;  // frames per second
    };
    // Empty before the first sound and when no device could be opened.
    std::optional<Format> DeviceFormat() const;

private:
    struct Device;

    bool OpenDevice();
    // Makes `samples` (in the device's format, possibly none) what plays.
    void Start(std::vector<std::uint8_t> samples, bool loop);

    std::function<void()> beep_;
    std::unique_ptr<Device> device_;  // set once the device is open
    bool unavailable_ = false;        // opening failed: stay silent
};
