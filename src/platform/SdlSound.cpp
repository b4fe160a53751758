#include "platform/SdlSound.h"

#include "platform/Platform.h"

#include <QFile>
#include <QtGlobal>

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <utility>

#include <dlfcn.h>

namespace {

// SDL is opened when the first sound is to play, not when the program
// starts: it brings some thirty libraries (sound servers, codecs, display
// back ends) that most uses of the editor never need, and loading them made
// the start slower. Only the functions below are used; SDL's headers give
// their types.
struct Sdl {
    decltype(&SDL_InitSubSystem) InitSubSystem = nullptr;
    decltype(&SDL_QuitSubSystem) QuitSubSystem = nullptr;
    decltype(&SDL_GetError) GetError = nullptr;
    decltype(&SDL_OpenAudioDevice) OpenAudioDevice = nullptr;
    decltype(&SDL_CloseAudioDevice) CloseAudioDevice = nullptr;
    decltype(&SDL_PauseAudioDevice) PauseAudioDevice = nullptr;
    decltype(&SDL_LockAudioDevice) LockAudioDevice = nullptr;
    decltype(&SDL_UnlockAudioDevice) UnlockAudioDevice = nullptr;
    decltype(&SDL_RWFromFile) RWFromFile = nullptr;
    decltype(&SDL_LoadWAV_RW) LoadWAV_RW = nullptr;
    decltype(&SDL_FreeWAV) FreeWAV = nullptr;
    decltype(&SDL_BuildAudioCVT) BuildAudioCVT = nullptr;
    decltype(&SDL_ConvertAudio) ConvertAudio = nullptr;
};

// The library, loaded on the first call; null when it cannot be (then every
// sound is silent, as without a device).
const Sdl* LoadSdl()
{
    static const Sdl* const sdl = []() -> const Sdl* {
        void* library = ::dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            qWarning("Sound: the SDL library cannot be loaded (%s); sounds stay silent", ::dlerror());
            return nullptr;
        }
        static Sdl functions;
        bool complete = true;
        const auto resolve = [&](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(::dlsym(library, name));
            complete = complete && function;
        };
        resolve(functions.InitSubSystem, "SDL_InitSubSystem");
        resolve(functions.QuitSubSystem, "SDL_QuitSubSystem");
        resolve(functions.GetError, "SDL_GetError");
        resolve(functions.OpenAudioDevice, "SDL_OpenAudioDevice");
        resolve(functions.CloseAudioDevice, "SDL_CloseAudioDevice");
        resolve(functions.PauseAudioDevice, "SDL_PauseAudioDevice");
        resolve(functions.LockAudioDevice, "SDL_LockAudioDevice");
        resolve(functions.UnlockAudioDevice, "SDL_UnlockAudioDevice");
        resolve(functions.RWFromFile, "SDL_RWFromFile");
        resolve(functions.LoadWAV_RW, "SDL_LoadWAV_RW");
        resolve(functions.FreeWAV, "SDL_FreeWAV");
        resolve(functions.BuildAudioCVT, "SDL_BuildAudioCVT");
        resolve(functions.ConvertAudio, "SDL_ConvertAudio");
        if (!complete) qWarning("Sound: the SDL library lacks a function; sounds stay silent");
        return complete ? &functions : nullptr;
    }();
    return sdl;
}

}  // namespace

// The open device and what it plays. The callback runs on SDL's audio thread
// with the device locked; the UI thread changes the fields only under
// the device's lock.
struct SdlSound::Device {
    SDL_AudioDeviceID id = 0;
    SDL_AudioSpec audio{};
    std::vector<Uint8> samples;  // the sound, in the device's format
    size_t position = 0;         // next byte of `samples` to hear
    bool loop = false;
    bool playing = false;  // implies `samples` is not empty

    // One sound plays at a time, so the buffer is the sound's bytes followed
    // by silence once it has ended.
    static void SDLCALL Fill(void* self, Uint8* out, int len)
    {
        auto& d = *static_cast<Device*>(self);
        size_t left = size_t(len);
        while (d.playing && left > 0) {
            const size_t n = std::min(left, d.samples.size() - d.position);
            std::memcpy(out, d.samples.data() + d.position, n);
            out += n;
            left -= n;
            d.position += n;
            if (d.position == d.samples.size()) {
                d.position = 0;
                d.playing = d.loop;
            }
        }
        std::memset(out, d.audio.silence, left);
    }
};

namespace {

struct FreeWav {
    void operator()(Uint8* p) const { LoadSdl()->FreeWAV(p); }
};

// A decoded wav file: its own format and its sample bytes.
struct Wav {
    SDL_AudioSpec audio{};
    std::unique_ptr<Uint8, FreeWav> data;
    Uint32 length = 0;
};

size_t FrameBytes(SDL_AudioFormat format, int channels)
{
    return size_t(SDL_AUDIO_BITSIZE(format) / 8) * size_t(channels);
}

// Empty when the file is missing, is no wav SDL can decode, or holds no sound.
std::optional<Wav> LoadWav(const Sdl& sdl, const QString& path)
{
    Wav wav;
    Uint8* data = nullptr;
    SDL_RWops* file = sdl.RWFromFile(QFile::encodeName(path).constData(), "rb");
    if (!file || !sdl.LoadWAV_RW(file, 1, &wav.audio, &data, &wav.length))
        return std::nullopt;
    wav.data.reset(data);
    const size_t frame = FrameBytes(wav.audio.format, wav.audio.channels);
    if (frame == 0 || wav.length < frame || wav.length > INT_MAX)
        return std::nullopt;
    wav.length -= Uint32(wav.length % frame);
    return wav;
}

// The wav's sound in the format `to`; empty when SDL cannot convert it.
// (SDL_AudioCVT converts the whole sound at once and keeps its length exact;
// an SDL_AudioStream of this SDL version loses the last frames on flush.)
std::vector<Uint8> Convert(const Sdl& sdl, const Wav& wav, const SDL_AudioSpec& to)
{
    SDL_AudioCVT cvt;
    if (sdl.BuildAudioCVT(&cvt, wav.audio.format, wav.audio.channels, wav.audio.freq, to.format,
                          to.channels, to.freq)
        < 0)
        return {};
    std::vector<Uint8> out(size_t(wav.length) * size_t(std::max(cvt.len_mult, 1)));
    std::memcpy(out.data(), wav.data.get(), wav.length);
    cvt.buf = out.data();
    cvt.len = int(wav.length);
    if (cvt.needed && sdl.ConvertAudio(&cvt) != 0)
        return {};
    out.resize(cvt.needed ? size_t(std::max(cvt.len_cvt, 0)) : size_t(wav.length));
    out.resize(out.size() - out.size() % FrameBytes(to.format, to.channels));
    out.shrink_to_fit();
    return out;
}

}  // namespace

SdlSound::SdlSound(std::function<void()> beep) : beep_(std::move(beep)) {}

SdlSound::~SdlSound()
{
    if (!device_)
        return;
    LoadSdl()->CloseAudioDevice(device_->id);  // waits for the callback to finish
    LoadSdl()->QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSound::Play(const QString& path, int flags)
{
    if (path.isEmpty()) {
        Start({}, false);
        return;
    }
    const Sdl* sdl = LoadSdl();
    if (!sdl) {
        unavailable_ = true;
        return;
    }
    const std::optional<Wav> wav = LoadWav(*sdl, path);
    if (!wav) {
        Start({}, false);
        if (beep_)
            beep_();
        return;
    }
    if (!OpenDevice())
        return;
    std::vector<Uint8> samples = Convert(*sdl, *wav, device_->audio);
    if (samples.empty() && beep_)
        beep_();
    Start(std::move(samples), (flags & Platform::kSndLoop) != 0);
}

bool SdlSound::IsPlaying() const
{
    if (!device_)
        return false;
    LoadSdl()->LockAudioDevice(device_->id);
    const bool playing = device_->playing;
    LoadSdl()->UnlockAudioDevice(device_->id);
    return playing;
}

std::optional<SdlSound::Format> SdlSound::DeviceFormat() const
{
    if (!device_)
        return std::nullopt;
    return Format{device_->audio.format, device_->audio.channels, device_->audio.freq};
}

bool SdlSound::OpenDevice()
{
    if (device_)
        return true;
    if (unavailable_)
        return false;
    unavailable_ = true;
    const Sdl& sdl = *LoadSdl();
    if (sdl.InitSubSystem(SDL_INIT_AUDIO) != 0) {
        qWarning("Sound: SDL audio cannot start (%s); sounds stay silent", sdl.GetError());
        return false;
    }
    auto device = std::make_unique<Device>();
    SDL_AudioSpec want{};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = &Device::Fill;
    want.userdata = device.get();
    device->id = sdl.OpenAudioDevice(nullptr, 0, &want, &device->audio, SDL_AUDIO_ALLOW_ANY_CHANGE);
    if (device->id == 0) {
        qWarning("Sound: no audio device (%s); sounds stay silent", sdl.GetError());
        sdl.QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    // The device runs from now on; the callback gives silence between sounds.
    sdl.PauseAudioDevice(device->id, 0);
    device_ = std::move(device);
    unavailable_ = false;
    return true;
}

void SdlSound::Start(std::vector<Uint8> samples, bool loop)
{
    if (!device_)
        return;
    LoadSdl()->LockAudioDevice(device_->id);
    device_->samples.swap(samples);
    device_->position = 0;
    device_->loop = loop;
    device_->playing = !device_->samples.empty();
    LoadSdl()->UnlockAudioDevice(device_->id);
    // `samples` now holds the sound that ended; it is freed outside the lock.
}
