// SdlSound as heard through SDL's disk audio driver, which writes to a file in real time.

#include "platform/Platform.h"
#include "platform/SdlSound.h"
#include "support/Bytes.h"

#include <QRegularExpression>
#include <SDL.h>

#include <gtest/gtest.h>

#include <cmath>
#include <dlfcn.h>
#include <thread>

namespace {

constexpr int kOnce = Platform::kSndAsync;
constexpr int kLoop = Platform::kSndAsync | Platform::kSndLoop;
const QTemporaryDir g_dir;

// A file in the test folder, and 0.2 s of a 440 Hz tone at `level` of full scale.
QString Put(const char* name, const QByteArray& bytes) { return Bytes::Write(g_dir.filePath(name), bytes) ? g_dir.filePath(name) : ""; }
QByteArray Tone(double level, int rate, int channels, int bits)
{
    QByteArray data;
    const int zero = bits == 8 ? 128 : 0;
    const int full = bits == 8 ? 127 : 32767;
    for (int i = 0; i < rate / 5 * channels; ++i)
        data += Bytes::Le(zero + std::lround(full * level * std::sin(2 * M_PI * 440 * (i / channels) / rate)), bits / 8);
    return Bytes::Wav(1, channels, rate, bits, Bytes::Chunk("data", data));
}
const QString kLoud = Put("loud.wav", Tone(0.8, 22050, 1, 16));
const QString kSoft = Put("soft.wav", Tone(0.3, 11025, 2, 8));  // unlike the device and kLoud

// One SdlSound whose device writes to the file `name`, counting its beeps.
struct Listener {
    QString out;
    int beeps = 0;
    SdlSound sound{[this] { ++beeps; }};

    explicit Listener(const QString& name, const char* driver = "disk") : out(g_dir.filePath(name))
    {
        qputenv("SDL_AUDIODRIVER", driver);
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(out));
    }
    // After `more` seconds, the loudness of each 10 ms so far: '.' silent, 's' soft, 'L' loud.
    std::string Heard(double more) const
    {
        const auto f = sound.DeviceFormat();
        if (!f || f->sdlFormat != AUDIO_S16SYS) return "no 16-bit device";
        const qint64 until = QFile(out).size() + qint64(more * f->frequency) * f->channels * 2;
        for (int i = 0; i < 500 && QFile(out).size() < until; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const QByteArray bytes = Bytes::Read(out);
        const auto* s = reinterpret_cast<const qint16*>(bytes.constData());
        std::string levels;
        for (qsizetype at = 0, n = f->frequency / 100 * f->channels; at + n <= bytes.size() / 2; at += n) {
            const int peak = std::abs(*std::max_element(s + at, s + at + n, [](int a, int b) { return std::abs(a) < std::abs(b); }));
            levels += ".sL"[(peak >= 1600) + (peak >= 16000)];
        }
        return levels;
    }
};

// The sound library is loaded with the first sound, not with the program. A
// single sound plays once; a loop goes on until a
// stop, a new sound (for its own length, which a wrong rate conversion would
// change) or a file that cannot play (with a beep) ends it at once. No call waits.
TEST(SdlSound, LoadedWithTheFirstSoundThenPlaysOnceOrLoopsUntilEnded)
{
    const auto loaded = [] {
        void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
        if (library) dlclose(library);
        return library != nullptr;
    };
    EXPECT_FALSE(loaded());
    const char* once = R"(\.*s?L{17,23}s?\.{20,})";
    const char* ended = R"(\.*s?L{40,}s?\.{25,})";
    const struct {
        int flags;
        std::optional<QString> next;
        const char* heard;
        int beeps = 0;
    } cases[] = {
        {kOnce, {}, once},
        {kLoop, QString(), ended},
        {kLoop, kSoft, R"(\.*s?L{40,}s{17,23}\.{10,})"},
        {kLoop, Put("text.wav", "not a wav"), ended, 1},
        {kLoop, Put("nodata.wav", Bytes::Wav(1, 1, 22050, 16, Bytes::Chunk("data", {}))), ended, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        Listener l("out");
        l.sound.Play(kLoud, c.flags);
        EXPECT_TRUE(loaded());
        EXPECT_TRUE(l.sound.IsPlaying());
        std::string heard = l.Heard(0.5);
        EXPECT_EQ(l.sound.IsPlaying(), c.flags == kLoop);
        if (c.next) {
            l.sound.Play(*c.next, kOnce);
            EXPECT_EQ(l.sound.IsPlaying(), c.next == kSoft);
            heard = l.Heard(0.35);
        }
        EXPECT_TRUE(QRegularExpression(QRegularExpression::anchoredPattern(c.heard)).match(heard.c_str()).hasMatch()) << heard;
        EXPECT_EQ(l.beeps, c.beeps);
    }
}

// Without a device every call is silent; the beep needs no device.
TEST(SdlSound, WithoutDeviceAllIsSilent)
{
    for (const auto& [driver, out] : {std::pair{"nonexistent_driver", "a"}, {"disk", "no/such/folder/b"}}) {
        Listener l(out, driver);
        l.sound.Play(kLoud, kLoop);
        EXPECT_FALSE(l.sound.DeviceFormat() || l.sound.IsPlaying()) << driver;
        l.sound.Play(g_dir.filePath("gone.wav"), kOnce);
        EXPECT_EQ(l.beeps, 1);
    }
}

}  // namespace
