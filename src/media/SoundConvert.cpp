#include "media/SoundConvert.h"

#include "media/Codecs.h"

#include <QFile>
#include <QtEndian>

#include <memory>
#include <vector>

namespace SoundConvert {

namespace {

using Converted::Refused;

constexpr int kRate = 44100;
constexpr int kHeaderSize = 44;
constexpr qint64 kMaxData = 0xFFFFFFFFLL - kHeaderSize;  // what a wav's sizes can count

// A wav header of 16-bit PCM at 44.1 kHz that counts `dataBytes`.
QByteArray WavHeader(int channels, qint64 dataBytes)
{
    QByteArray h(kHeaderSize, '\0');
    auto* p = reinterpret_cast<uchar*>(h.data());
    const auto put32 = [p](int at, quint32 v) { qToLittleEndian<quint32>(v, p + at); };
    const auto put16 = [p](int at, quint16 v) { qToLittleEndian<quint16>(v, p + at); };
    memcpy(p, "RIFF", 4);
    put32(4, quint32(dataBytes + kHeaderSize - 8));
    memcpy(p + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, quint16(channels));
    put32(24, kRate);
    put32(28, kRate * channels * 2);
    put16(32, quint16(channels * 2));
    put16(34, 16);
    memcpy(p + 36, "data", 4);
    put32(40, quint32(dataBytes));
    return h;
}

using Codecs::Owned;
using Av = Codecs::Ffmpeg;

// FFmpeg's functions, once FromFfmpeg has loaded them.
const Av& Ff() { return *Codecs::Av(); }

// FFmpeg reads the source through this, and nothing else: a playlist or a
// reference in the file that names another file or an address is not opened.
struct Input {
    QFile file;
    Owned<AVIOContext, &Av::avio_context_free> io;

    static int Read(void* opaque, uint8_t* buffer, int size)
    {
        const qint64 n = static_cast<Input*>(opaque)->file.read(reinterpret_cast<char*>(buffer), size);
        return n > 0 ? int(n) : n == 0 ? AVERROR_EOF
                                       : AVERROR(EIO);
    }
    static int64_t Seek(void* opaque, int64_t offset, int whence)
    {
        QFile& f = static_cast<Input*>(opaque)->file;
        if (whence == AVSEEK_SIZE) return f.size();
        const int64_t base = (whence & ~AVSEEK_FORCE) == SEEK_CUR ? f.pos() : (whence & ~AVSEEK_FORCE) == SEEK_END ? f.size()
                                                                                                                   : 0;
        return f.seek(base + offset) ? base + offset : AVERROR(EIO);
    }
    ~Input()
    {
        if (io) Ff().av_freep(&io->buffer);
    }
};

int RefuseOpen(AVFormatContext*, AVIOContext**, const char*, int, AVDictionary**) { return AVERROR(EPERM); }

// The decoding of one sound into the wav, frame by frame.
class Writer {
public:
    Writer(NewFile& file, const Converted::Cancel& cancel) : file_(file), cancel_(cancel) {}

    // Adds a decoded frame; false when it cannot be converted or written.
    bool Add(const AVFrame* frame)
    {
        if (!resampler_ && !Start(frame)) return false;
        return Convert(const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
    }
    // Whatever the resampler holds back, then the header's sizes.
    bool Finish()
    {
        if (!resampler_ || !Convert(nullptr, 0)) return false;
        writeFailed_ = !file_.Overwrite(0, WavHeader(channels_, bytes_));
        return !writeFailed_;
    }
    bool TooLong() const { return bytes_ > kMaxData; }
    bool WriteFailed() const { return writeFailed_; }

private:
    bool Start(const AVFrame* frame)
    {
        AVChannelLayout in{};
        if (frame->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
            Ff().av_channel_layout_default(&in, frame->ch_layout.nb_channels);
        else if (Ff().av_channel_layout_copy(&in, &frame->ch_layout) < 0)
            return false;
        AVChannelLayout out{};
        Ff().av_channel_layout_default(&out, in.nb_channels == 1 ? 1 : 2);
        channels_ = out.nb_channels;
        SwrContext* swr = nullptr;
        const int rc = Ff().swr_alloc_set_opts2(&swr, &out, AV_SAMPLE_FMT_S16, kRate, &in, AVSampleFormat(frame->format),
                                                frame->sample_rate, 0, nullptr);
        Ff().av_channel_layout_uninit(&in);
        resampler_.reset(swr);
        if (rc < 0 || Ff().swr_init(swr) < 0) return false;
        writeFailed_ = !file_.Append(WavHeader(channels_, 0));
        return !writeFailed_;
    }
    bool Convert(const uint8_t** in, int samples)
    {
        for (;;) {
            const int room = Ff().swr_get_out_samples(resampler_.get(), samples);
            if (room < 0) return false;
            buffer_.resize(size_t(room) * channels_ * 2 + 64);
            uint8_t* out = buffer_.data();
            const int n = Ff().swr_convert(resampler_.get(), &out, room, in, samples);
            if (n < 0) return false;
            bytes_ += qint64(n) * channels_ * 2;
            if (TooLong() || cancel_) return false;
            if (!file_.Append(reinterpret_cast<const char*>(out), qint64(n) * channels_ * 2)) {
                writeFailed_ = true;
                return false;
            }
            // Flushing takes as many calls as it has samples to give.
            if (in || n == 0) return true;
        }
    }

    NewFile& file_;
    const Converted::Cancel& cancel_;
    Owned<SwrContext, &Av::swr_free> resampler_;
    std::vector<uint8_t> buffer_;
    int channels_ = 0;
    qint64 bytes_ = 0;
    bool writeFailed_ = false;
};

}  // namespace

bool PlayerPlays(const QString& source)
{
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly) || file.read(12).mid(8) != "WAVE" || !file.seek(0) || !file.read(4).startsWith("RIFF"))
        return false;
    // The chunks in turn up to the sound's data: 'fmt ' must say PCM of 8 or
    // 16 bits in one or two channels before it.
    bool playable = false;
    for (qint64 at = 12; file.seek(at);) {
        const QByteArray head = file.read(8);
        if (head.size() < 8) return false;
        const quint32 size = qFromLittleEndian<quint32>(head.constData() + 4);
        if (head.startsWith("data")) return playable;
        if (head.startsWith("fmt ")) {
            const QByteArray fmt = file.read(16);
            if (fmt.size() < 16) return false;
            const auto* p = reinterpret_cast<const uchar*>(fmt.constData());
            const int format = qFromLittleEndian<quint16>(p);
            const int channels = qFromLittleEndian<quint16>(p + 2);
            const int bits = qFromLittleEndian<quint16>(p + 14);
            playable = format == 1 && (channels == 1 || channels == 2) && (bits == 8 || bits == 16);
        }
        at += 8 + size + (size & 1);
    }
    return false;
}

QString VideoReason() { return QStringLiteral("動画は取り込めません。"); }

QString BrokenReason()
{
    return QStringLiteral("音声を読み取れませんでした。ファイルが壊れているか、対応していない形式です。"
                          "音楽を再生できるソフトで再生できるかを確認してください。");
}

QString TooLongReason()
{
    return QStringLiteral("音声が長すぎます（wav にすると 4 GB を超えます）。短く切ってから取り込んでください。");
}

Converted::File FromFfmpeg(const QString& source, const QString& folder, const Converted::Cancel& cancel, Seen& seen)
{
    seen = Seen::Nothing;
    if (!Codecs::Av()) return Refused(Codecs::MissingReason("FFmpeg"));
    // What FFmpeg would print about a damaged file, the reason says instead.
    [[maybe_unused]] static const bool quiet = (Ff().av_log_set_level(AV_LOG_QUIET), true);
    Input input;
    input.file.setFileName(source);
    if (!input.file.open(QIODevice::ReadOnly)) return Refused(Converted::UnreadableReason());
    constexpr int kBufferSize = 64 * 1024;
    auto* buffer = static_cast<uint8_t*>(Ff().av_malloc(kBufferSize));
    input.io.reset(Ff().avio_alloc_context(buffer, kBufferSize, 0, &input, Input::Read, nullptr, Input::Seek));
    if (!input.io) {
        Ff().av_free(buffer);
        return Refused(BrokenReason());
    }
    AVFormatContext* opened = Ff().avformat_alloc_context();
    if (!opened) return Refused(BrokenReason());
    opened->pb = input.io.get();
    opened->flags |= AVFMT_FLAG_CUSTOM_IO;
    opened->io_open = RefuseOpen;
    // No file name: the format is told by the content alone, as a text file
    // would otherwise be read as a picture of its letters by its extension.
    if (Ff().avformat_open_input(&opened, "", nullptr, nullptr) < 0) return Refused(BrokenReason());
    const Owned<AVFormatContext, &Av::avformat_close_input> format(opened);
    if (Ff().avformat_find_stream_info(format.get(), nullptr) < 0) return Refused(BrokenReason());

    // A picture file read as a one-frame video is no video, nor is a song's
    // cover picture; any other picture stream is.
    if (QByteArray(format->iformat->name).endsWith("_pipe")) return Refused(BrokenReason());
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVStream* stream = format->streams[i];
        if (stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC)) {
            seen = Seen::Video;
            return Refused(VideoReason());
        }
    }
    const AVCodec* codec = nullptr;
    const int index = Ff().av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (index < 0) return Refused(BrokenReason());
    seen = Seen::Sound;
    const Owned<AVCodecContext, &Av::avcodec_free_context> decoder(Ff().avcodec_alloc_context3(codec));
    if (!decoder || Ff().avcodec_parameters_to_context(decoder.get(), format->streams[index]->codecpar) < 0)
        return Refused(BrokenReason());
    decoder->pkt_timebase = format->streams[index]->time_base;
    if (Ff().avcodec_open2(decoder.get(), codec, nullptr) < 0) return Refused(BrokenReason());

    auto file = std::make_unique<NewFile>(folder);
    if (!file->IsOpen()) return Refused(Converted::WriteFailedReason());
    Writer writer(*file, cancel);
    const Owned<AVPacket, &Av::av_packet_free> packet(Ff().av_packet_alloc());
    const Owned<AVFrame, &Av::av_frame_free> frame(Ff().av_frame_alloc());
    bool written = true;
    // A damaged packet is left out, as players do; the rest is decoded.
    const auto drain = [&] {
        while (written && Ff().avcodec_receive_frame(decoder.get(), frame.get()) == 0) {
            written = writer.Add(frame.get());
            Ff().av_frame_unref(frame.get());
        }
    };
    while (written && !cancel && Ff().av_read_frame(format.get(), packet.get()) >= 0) {
        if (packet->stream_index == index && Ff().avcodec_send_packet(decoder.get(), packet.get()) >= 0) drain();
        Ff().av_packet_unref(packet.get());
    }
    Ff().avcodec_send_packet(decoder.get(), nullptr);
    drain();
    if (cancel) return Refused(Converted::CancelledReason());
    if (writer.TooLong()) return Refused(TooLongReason());
    if (!written || !writer.Finish())
        return Refused(writer.WriteFailed() ? Converted::WriteFailedReason() : BrokenReason());
    return {std::move(file), QStringLiteral("wav"), {}};
}

}  // namespace SoundConvert
