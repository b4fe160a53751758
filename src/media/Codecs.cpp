#include "media/Codecs.h"

#include <QtGlobal>

#include <initializer_list>
#include <vector>

#include <dlfcn.h>

namespace Codecs {

namespace {

// The libraries opened; empty when one of them cannot be.
std::vector<void*> Open(std::initializer_list<const char*> names)
{
    std::vector<void*> handles;
    for (const char* name : names) {
        void* handle = ::dlopen(name, RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            qWarning("Import: %s cannot be loaded (%s)", name, ::dlerror());
            return {};
        }
        handles.push_back(handle);
    }
    return handles;
}

// Finds `function` in the first of the libraries that has it.
template <typename Function>
bool Resolve(const std::vector<void*>& handles, Function& function, const char* name)
{
    for (void* handle : handles) {
        function = reinterpret_cast<Function>(::dlsym(handle, name));
        if (function) return true;
    }
    qWarning("Import: no library has %s", name);
    return false;
}

// The functions of the libraries `names`, filled by `resolve` (one static
// table a kind); null when a library or a function cannot be had.
template <typename Functions>
const Functions* Load(std::initializer_list<const char*> names, bool (*resolve)(const std::vector<void*>&, Functions&))
{
    const std::vector<void*> handles = Open(names);
    static Functions functions;
    return !handles.empty() && resolve(handles, functions) ? &functions : nullptr;
}

}  // namespace

#define PELUMO_RESOLVE(name) &&Resolve(handles, functions.name, #name)

const Ffmpeg* Av()
{
    static const Ffmpeg* const av = Load<Ffmpeg>({"libavutil.so." QT_STRINGIFY(LIBAVUTIL_VERSION_MAJOR),
                                                  "libswresample.so." QT_STRINGIFY(LIBSWRESAMPLE_VERSION_MAJOR),
                                                  "libavcodec.so." QT_STRINGIFY(LIBAVCODEC_VERSION_MAJOR),
                                                  "libavformat.so." QT_STRINGIFY(LIBAVFORMAT_VERSION_MAJOR)},
                                                 [](const std::vector<void*>& handles, Ffmpeg& functions) {
                                                     return true PELUMO_FFMPEG_FUNCTIONS(PELUMO_RESOLVE);
                                                 });
    return av;
}

const Heif* Hf()
{
    static const Heif* const heif = Load<Heif>({"libheif.so.1"}, [](const std::vector<void*>& handles, Heif& functions) {
        return true PELUMO_HEIF_FUNCTIONS(PELUMO_RESOLVE);
    });
    return heif;
}

QString MissingReason(const char* library)
{
    return QStringLiteral("取り込みに必要なライブラリ（%1）を読み込めませんでした。ペルモを入れ直してください。")
        .arg(QLatin1String(library));
}

}  // namespace Codecs
