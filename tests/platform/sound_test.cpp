// Listens to SdlSound through SDL's disk audio driver, which writes what
// would be heard to a file in real time.

#include "platform/Platform.h"
#include "platform/SdlSound.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <SDL.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <ostream>
#include <thread>
#include <vector>

namespace {

constexpr int kOnce = Platform::kSndAsync;
constexpr int kLoop = Platform::kSndAsync | Platform::kSndLoop;

// A wav file: the RIFF header, then `data` as its samples.
QByteArray WavFile(int formatTag, int channels, int rate, int bits, const QByteArray& data)
{
    auto u16 = [](int v) { return QByteArray(1, char(v & 0xff)).append(char(v >> 8 & 0xff)); };
    auto u32 = [&](qint64 v) { return u16(int(v & 0xffff)) + u16(int(v >> 16 & 0xffff)); };
    const int block = channels * bits / 8;
    return "RIFF" + u32(36 + data.size()) + "WAVEfmt " + u32(16) + u16(formatTag) + u16(channels)
           + u32(rate) + u32(qint64(rate) * block) + u16(block) + u16(bits) + "data"
           + u32(data.size()) + data;
}

// A sine tone as 8-bit (unsigned) or 16-bit PCM; `level` is the part of full scale.
QByteArray Tone(double hz, double level, double seconds, int rate, int channels, int bits)
{
    QByteArray data;
    for (int i = 0; i < int(seconds * rate); ++i) {
        const double v = level * std::sin(2 * M_PI * hz * i / rate);
        for (int c = 0; c < channels; ++c) {
            if (bits == 8) {
                data.append(char(std::lround(128 + 127 * v)));
            } else {
                const int s = int(std::lround(32767 * v));
                data.append(char(s & 0xff)).append(char(s >> 8 & 0xff));
            }
        }
    }
    return WavFile(1, channels, rate, bits, data);
}

// What was heard, as stretches of one loudness.
enum Level { kSilent, kSoft, kLoud };
struct Run {
    Level level;
    double seconds;
};
std::ostream& operator<<(std::ostream& os, const std::vector<Run>& runs)
{
    for (const Run& r : runs)
        os << "SsL"[r.level] << ':' << r.seconds << ' ';
    return os;
}

// A sample of the device's format at `p`, as a part of full scale.
double Sample(const char* p, SDL_AudioFormat f)
{
    const int bytes = SDL_AUDIO_BITSIZE(f) / 8;
    if (SDL_AUDIO_ISFLOAT(f)) {
        float v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    quint64 u = 0;
    for (int i = 0; i < bytes; ++i)
        u |= quint64(quint8(p[SDL_AUDIO_ISBIGENDIAN(f) ? bytes - 1 - i : i])) << (8 * i);
    const double half = double(quint64(1) << (8 * bytes - 1));
    if (!SDL_AUDIO_ISSIGNED(f))
        return (double(u) - half) / half;
    return (u >= quint64(half) ? double(u) - 2 * half : double(u)) / half;
}

// One SdlSound whose device writes to `output`, counting its beeps.
struct Listener {
    Listener(const QString& output, const char* driver = "disk") : output(output)
    {
        qputenv("SDL_AUDIODRIVER", driver);
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
    }

    double BytesPerSecond() const
    {
        const auto f = sound.DeviceFormat();
        return f ? double(f->frequency) * f->channels * SDL_AUDIO_BITSIZE(f->sdlFormat) / 8 : 0;
    }
    // Seconds of sound written so far.
    double Written() const
    {
        const double rate = BytesPerSecond();
        return rate > 0 ? double(QFile(output).size()) / rate : 0;
    }

    // Waits until `seconds` have been written in all, then tells what they
    // hold from the first sound on, measured over 5 ms blocks.
    std::vector<Run> HeardUntil(double seconds) const
    {
        QElapsedTimer timer;
        timer.start();
        while (Written() < seconds && timer.elapsed() < 3000 + seconds * 1000)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const auto f = sound.DeviceFormat();
        if (!f)
            return {};
        QFile file(output);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        const QByteArray bytes = file.readAll();
        const int sampleBytes = SDL_AUDIO_BITSIZE(f->sdlFormat) / 8;
        const int blockFrames = f->frequency / 200;
        const qsizetype blockBytes = qsizetype(blockFrames) * f->channels * sampleBytes;
        std::vector<Run> blocks;
        for (qsizetype at = 0; at + blockBytes <= bytes.size(); at += blockBytes) {
            double peak = 0;
            for (qsizetype i = at; i < at + blockBytes; i += sampleBytes)
                peak = std::max(peak, std::abs(Sample(bytes.constData() + i, f->sdlFormat)));
            const Level level = peak < 0.05 ? kSilent : peak < 0.5 ? kSoft : kLoud;
            if (blocks.empty() || blocks.back().level != level)
                blocks.push_back({level, 0});
            blocks.back().seconds += double(blockFrames) / f->frequency;
        }
        // A block that holds only the first or last few samples of a tone
        // reads softer than the tone: such blips count with the run before.
        std::vector<Run> runs;
        for (const Run& r : blocks) {
            if (r.seconds < 0.011)
                (runs.empty() ? runs.emplace_back(Run{kSilent, 0}) : runs.back()).seconds += r.seconds;
            else if (!runs.empty() && runs.back().level == r.level)
                runs.back().seconds += r.seconds;
            else
                runs.push_back(r);
        }
        if (!runs.empty() && runs.front().level == kSilent)
            runs.erase(runs.begin());
        return runs;
    }

    QString output;
    int beeps = 0;
    SdlSound sound{[this] { ++beeps; }};
};

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        loud_ = Write("loud.wav", Tone(440, 0.8, 0.2, 22050, 1, 16));
        soft_ = Write("soft.wav", Tone(660, 0.3, 0.2, 11025, 2, 8));
    }

    QString Write(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir_.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    }

    QTemporaryDir dir_;
    QString loud_, soft_;
};

TEST_F(SoundTest, PlaysOnceOrLoopsUntilStopped)
{
    struct Case {
        int flags;
        bool loops;
    };
    for (const Case c : {Case{kOnce, false}, Case{0, false}, Case{kLoop, true}}) {
        SCOPED_TRACE(c.flags);
        Listener l(dir_.filePath(QString("out%1.raw").arg(c.flags)));
        l.sound.Play(loud_, c.flags);
        EXPECT_TRUE(l.sound.IsPlaying()) << "the call waited for the sound";

        if (!c.loops) {
            const auto runs = l.HeardUntil(l.Written() + 0.45);
            ASSERT_EQ(runs.size(), 2u) << runs;
            EXPECT_EQ(runs[0].level, kLoud);
            EXPECT_NEAR(runs[0].seconds, 0.2, 0.03) << runs;
            EXPECT_GT(runs[1].seconds, 0.15) << runs;
            EXPECT_FALSE(l.sound.IsPlaying());
            continue;
        }
        auto runs = l.HeardUntil(l.Written() + 0.7);
        ASSERT_EQ(runs.size(), 1u) << runs;
        EXPECT_GT(runs[0].seconds, 0.6) << "still going after three lengths";
        EXPECT_TRUE(l.sound.IsPlaying());

        const double stop = l.Written();
        l.sound.Play({}, 0);
        EXPECT_FALSE(l.sound.IsPlaying());
        runs = l.HeardUntil(stop + 0.3);
        ASSERT_EQ(runs.size(), 2u) << runs;
        EXPECT_LT(runs[0].seconds, stop + 0.1) << runs;
        EXPECT_EQ(runs[1].level, kSilent);
        EXPECT_EQ(l.beeps, 0);
    }
}

// The new sound (8-bit stereo at 11025 Hz, unlike the loop) cuts the loop off
// and plays for its own length, which a wrong rate conversion would change.
TEST_F(SoundTest, NewSoundReplacesLoop)
{
    Listener l(dir_.filePath("out.raw"));
    l.sound.Play(loud_, kLoop);
    l.HeardUntil(0.4);
    const double replaced = l.Written();
    l.sound.Play(soft_, kOnce);
    const auto runs = l.HeardUntil(replaced + 0.5);
    ASSERT_EQ(runs.size(), 3u) << runs;
    EXPECT_EQ(runs[0].level, kLoud);
    EXPECT_LT(runs[0].seconds, replaced + 0.1) << runs;
    EXPECT_EQ(runs[1].level, kSoft);
    EXPECT_NEAR(runs[1].seconds, 0.2, 0.03) << runs;
    EXPECT_EQ(runs[2].level, kSilent);
    EXPECT_EQ(l.beeps, 0);
}

TEST_F(SoundTest, UnplayableFileBeepsAndEndsTheSoundBefore)
{
    const QString bad[] = {
        Write("text.wav", "not a sound at all\n"),
        Write("empty.wav", {}),
        Write("nodata.wav", WavFile(1, 1, 22050, 16, {})),
        Write("mpeg.wav", WavFile(0x55, 1, 22050, 16, QByteArray(400, 'x'))),
        dir_.filePath("missing.wav"),
    };
    Listener l(dir_.filePath("out.raw"));
    int beeps = 0;
    for (const QString& path : bad) {
        SCOPED_TRACE(path.toStdString());
        l.sound.Play(loud_, kLoop);
        ASSERT_TRUE(l.sound.IsPlaying());
        l.sound.Play(path, kOnce);
        EXPECT_EQ(l.beeps, ++beeps);
        EXPECT_FALSE(l.sound.IsPlaying());
    }
    const double end = l.Written();
    const auto runs = l.HeardUntil(end + 0.25);
    EXPECT_TRUE(runs.empty() || (runs.back().level == kSilent && runs.back().seconds > 0.2))
        << runs;
}

// Without a device every call stays silent and cheap: the failure is kept,
// so a device that could open later is not tried again by the same player.
TEST_F(SoundTest, WithoutDeviceAllIsSilent)
{
    struct Case {
        const char* driver;
        QString output;
    };
    const Case cases[] = {
        {"nonexistent_driver", dir_.filePath("a.raw")},
        {"disk", dir_.filePath("no/such/folder/b.raw")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.driver);
        Listener l(c.output, c.driver);
        l.sound.Play(loud_, kLoop);
        EXPECT_FALSE(l.sound.DeviceFormat());
        EXPECT_FALSE(l.sound.IsPlaying());

        const QString later = dir_.filePath("later.raw");
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(later));
        l.sound.Play(loud_, kOnce);
        l.sound.Play({}, 0);
        EXPECT_FALSE(QFile::exists(later));
        EXPECT_EQ(l.beeps, 0);

        l.sound.Play(dir_.filePath("missing.wav"), kOnce);
        EXPECT_EQ(l.beeps, 1) << "the beep does not need the device";
    }
}

}  // namespace
