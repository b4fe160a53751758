#pragma once
// FFmpeg and libheif, opened when the first file is imported and not when the
// program starts: they bring some 130 libraries (every codec FFmpeg is built
// with), and loading them made the start several times slower. Only the
// functions listed here are used; the libraries' headers give their types.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswresample/swresample.h>
}
#include <libheif/heif.h>

#include <QString>

#include <memory>
#include <type_traits>

#define PELUMO_FFMPEG_FUNCTIONS(X)                                                                                     \
    X(av_channel_layout_copy)                                                                                          \
    X(av_channel_layout_default) X(av_channel_layout_uninit) X(av_find_best_stream)                                    \
        X(av_frame_alloc) X(av_frame_free) X(av_frame_unref) X(av_free) X(av_freep) X(av_log_set_level)                \
            X(av_malloc) X(av_packet_alloc) X(av_packet_free) X(av_packet_unref) X(av_read_frame)                      \
                X(avcodec_alloc_context3) X(avcodec_free_context) X(avcodec_open2) X(avcodec_parameters_to_context)    \
                    X(avcodec_receive_frame) X(avcodec_send_packet) X(avformat_alloc_context) X(avformat_close_input)  \
                        X(avformat_find_stream_info) X(avformat_open_input) X(avio_alloc_context) X(avio_context_free) \
                            X(swr_alloc_set_opts2) X(swr_convert) X(swr_free) X(swr_get_out_samples) X(swr_init)

#define PELUMO_HEIF_FUNCTIONS(X)                                                                                      \
    X(heif_check_filetype)                                                                                            \
    X(heif_context_alloc) X(heif_context_free) X(heif_context_get_primary_image_handle)                               \
        X(heif_context_read_from_file) X(heif_decode_image) X(heif_image_get_height) X(heif_image_get_plane_readonly) \
            X(heif_image_get_width) X(heif_image_handle_has_alpha_channel) X(heif_image_handle_release) X(heif_image_release)

#define PELUMO_FUNCTION_POINTER(name) decltype(&::name) name = nullptr;

namespace Codecs {

struct Ffmpeg {
    PELUMO_FFMPEG_FUNCTIONS(PELUMO_FUNCTION_POINTER)
};
struct Heif {
    PELUMO_HEIF_FUNCTIONS(PELUMO_FUNCTION_POINTER)
};

// The libraries' functions, loaded on the first call (from any thread);
// null when a library or one of its functions cannot be had.
const Ffmpeg* Av();
const Heif* Hf();

template <typename R>
const Ffmpeg& Of(R Ffmpeg::*) { return *Av(); }
template <typename R>
const Heif& Of(R Heif::*) { return *Hf(); }

// Frees what a library made through the library's own function `Free` (a
// member of Ffmpeg or Heif), which takes the object or, as FFmpeg's do, the
// address of the pointer to it. Only ever called after the library loaded.
template <auto Free>
struct Freer {
    template <typename T>
    void operator()(T* p) const
    {
        const auto function = Of(Free).*Free;
        if constexpr (std::is_invocable_v<decltype(function), T**>)
            function(&p);
        else
            function(p);
    }
};
template <typename T, auto Free>
using Owned = std::unique_ptr<T, Freer<Free>>;

// "取り込みに必要なライブラリ（NAME）を読み込めませんでした。..."
QString MissingReason(const char* library);

}  // namespace Codecs
