// The importer: every kind of source made at run time with the libraries'
// own encoders, each imported file decoded again and checked, and the
// folder left with nothing but the new files.

#include "core/PictureHeaders.h"
#include "media/ImportNames.h"
#include "media/Importer.h"
#include "support/Bytes.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <libheif/heif.h>
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

// x265 keeps a block of every encoder it opens to the end of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:libx265.so\n"; }

namespace {

using Pictures::Encoded;

using Bytes::Hex;

// Red, green / blue, yellow (or `last`): which way up the picture is shows
// in its corners.
QImage Quadrants(int width, int height, Qt::GlobalColor last = Qt::yellow)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(last);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, Qt::red);
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, Qt::green);
    painter.fillRect(0, height / 2, width / 2, height - height / 2, Qt::blue);
    return image;
}

// The colours of the four corners along the rows, a letter each: R, G, B, Y,
// W (white) or K (black).
QString Corners(const QImage& image)
{
    QString corners;
    for (const QPointF at : {QPointF(0.1, 0.1), QPointF(0.9, 0.1), QPointF(0.1, 0.9), QPointF(0.9, 0.9)}) {
        const QRgb c = image.pixel(int(at.x() * image.width()), int(at.y() * image.height()));
        corners += QLatin1Char("KBG?R?YW"[(qRed(c) > 128) * 4 + (qGreen(c) > 128) * 2 + (qBlue(c) > 128)]);
    }
    return corners;
}

// A JPEG with an EXIF block after its start that holds only the orientation.
QByteArray WithOrientation(const QByteArray& jpeg, int orientation)
{
    const QByteArray exif = QByteArray("Exif\0\0", 6) + Hex("4D4D002A00000008 0001 0112000300000001") + char(0)
        + char(orientation) + Hex("0000 00000000");
    return jpeg.left(2) + Hex("FFE1") + char(0) + char(exif.size() + 2) + exif + jpeg.mid(2);
}

// An 8 x 8 baseline JPEG of four components (CMYK, as print programs write):
// its one block holds a zero DC and nothing else, coded with one-code tables.
QByteArray Cmyk()
{
    return Hex("FFD8 FFEE000E 41646F626500640000000000")  // Adobe, no transform
        + Hex("FFDB0043 00") + QByteArray(64, '\1')
        + Hex("FFC00014 08 0008 0008 04 011100 021100 031100 041100")
        + Hex("FFC40014 00 01000000000000000000000000000000 00")  // DC: category 0
        + Hex("FFC40014 10 01000000000000000000000000000000 00")  // AC: end of block
        + Hex("FFDA000E 04 0100 0200 0300 0400 003F00") + Hex("00 FFD9");
}

QByteArray Heic(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder);
    heif_image* image = nullptr;
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y) memcpy(plane + y * stride, rgb.constScanLine(y), rgb.width() * 3);
    heif_context_encode_image(context, image, encoder, nullptr, nullptr);
    QTemporaryFile file;
    file.open();
    EXPECT_EQ(heif_context_write_to_file(context, QFile::encodeName(file.fileName())).code, heif_error_Ok);
    heif_image_release(image);
    heif_encoder_release(encoder);
    heif_context_free(context);
    return file.readAll();
}

// Writes `count` samples of silence a channel through FFmpeg's encoder
// `codecName` into the container that the extension of `path` names.
void Encode(const QString& path, const char* codecName, int rate, int channels, int count)
{
    const AVCodec* codec = avcodec_find_encoder_by_name(codecName);
    ASSERT_NE(codec, nullptr) << codecName;
    AVFormatContext* out = nullptr;
    avformat_alloc_output_context2(&out, nullptr, nullptr, QFile::encodeName(path));
    AVCodecContext* encoder = avcodec_alloc_context3(codec);
    encoder->sample_rate = rate;
    encoder->sample_fmt = codec->sample_fmts[0];
    encoder->time_base = AVRational{1, rate};
    av_channel_layout_default(&encoder->ch_layout, channels);
    ASSERT_GE(avcodec_open2(encoder, codec, nullptr), 0) << codecName;
    AVStream* stream = avformat_new_stream(out, nullptr);
    avcodec_parameters_from_context(stream->codecpar, encoder);
    avio_open(&out->pb, QFile::encodeName(path), AVIO_FLAG_WRITE);
    ASSERT_GE(avformat_write_header(out, nullptr), 0);
    AVFrame* frame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    const int step = encoder->frame_size > 0 ? encoder->frame_size : 4096;
    // One round past the last samples drains the encoder.
    for (int at = 0; at < count + step; at += step) {
        av_frame_unref(frame);
        frame->format = encoder->sample_fmt;
        frame->nb_samples = std::min(step, count - at);
        av_channel_layout_copy(&frame->ch_layout, &encoder->ch_layout);
        frame->pts = at;
        if (at < count) {
            av_frame_get_buffer(frame, 0);
            av_samples_set_silence(frame->extended_data, 0, frame->nb_samples, channels, encoder->sample_fmt);
        }
        avcodec_send_frame(encoder, at < count ? frame : nullptr);
        while (avcodec_receive_packet(encoder, packet) == 0) {
            av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
            av_interleaved_write_frame(out, packet);
        }
    }
    av_write_trailer(out);
    avio_closep(&out->pb);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&encoder);
    avformat_free_context(out);
}

// A folder of sources and a project folder to bring them into.
struct Import : testing::Test {
    QTemporaryDir sources;
    QTemporaryDir project;
    QString Source(const QString& name, const QByteArray& bytes)
    {
        EXPECT_TRUE(Bytes::Write(sources.filePath(name), bytes));
        return sources.filePath(name);
    }
    // Imports the rows' sources, written from their bytes (null: made
    // before); each is to come in under the row's name, or be refused with a
    // reason that starts with it.
    template <typename Row, size_t N>
    void ImportAll(const Row (&rows)[N])
    {
        QStringList paths;
        for (const Row& row : rows) paths << (row.bytes.isNull() ? sources.filePath(row.source) : Source(row.source, row.bytes));
        const QList<Importer::Result> results = Importer::Import(project.path(), paths);
        ASSERT_EQ(results.size(), N);
        for (size_t i = 0; i < N; ++i) EXPECT_TRUE((results[i].name + results[i].reason).startsWith(QString::fromUtf8(rows[i].name))) << results[i].reason.toStdString();
    }
    QStringList Entries() const
    {
        return QDir(project.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    }
};

}  // namespace

TEST_F(Import, PicturesComeInUprightWithinTheLimitAsThePlayerShowsThem)
{
    const QByteArray photo = Encoded(Quadrants(2400, 1600), "jpeg");
    const struct {
        QString source;
        QByteArray bytes;
        const char* name;
        QSize size;
        const char* corners;  // empty: no colours to check
        bool copied;
    } cases[] = {
        {"one.JPG", WithOrientation(Encoded(Quadrants(80, 60), "jpeg"), 1), "one.jpg", {80, 60}, "RGBY", true},
        {"o3.jpg", WithOrientation(photo, 3), "o3.jpg", {1920, 1280}, "YBGR", false},
        {"o5.jpg", WithOrientation(photo, 5), "o5.jpg", {960, 1440}, "RBGY", false},
        {"o6.jpeg", WithOrientation(photo, 6), "o6.jpg", {960, 1440}, "BRYG", false},
        {"progressive.jpg", Encoded(Quadrants(400, 300), "jpeg", true), "progressive.jpg", {400, 300}, "RGBY", false},
        {"print.jpg", Cmyk(), "print.jpg", {8, 8}, "", false},
        {"clear.png", Encoded(Quadrants(400, 300, Qt::transparent), "png"), "clear.jpg", {400, 300}, "RGBW", false},
        {"wide.png", Encoded(Quadrants(4000, 1000), "png"), "wide.jpg", {1920, 480}, "RGBY", false},
        {"web.webp", Encoded(Quadrants(400, 300), "webp"), "web.jpg", {400, 300}, "RGBY", false},
        {"pic.bmp", Encoded(Quadrants(400, 300), "bmp"), "pic.bmp", {400, 300}, "RGBY", true},
        {"phone.HEIC", Heic(Quadrants(640, 480)), "phone.jpg", {640, 480}, "RGBY", false},
    };
    ImportAll(cases);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source.toStdString());
        const QString file = project.filePath(c.name);
        if (c.copied) EXPECT_EQ(Bytes::Read(file), c.bytes);
        // Nothing that the show check would doubt: baseline, upright, the format its name says.
        EXPECT_TRUE(PictureHeaders::Doubts(c.name, PictureHeaders::Read(file)).isEmpty());
        QImageReader reader(file);
        reader.setAutoTransform(false);
        const QImage image = reader.read();
        EXPECT_EQ(image.size(), c.size);
        if (*c.corners) EXPECT_EQ(Corners(image), QString::fromUtf8(c.corners));
    }
}

TEST_F(Import, SoundsComeInAsSixteenBitWavOfTheSameLength)
{
    const QByteArray tone = QByteArray(48000 * 2 * 3, '\x40');
    constexpr double kOneSample = 1.0 / 44100;
    const struct {
        const char* source;
        const char* name;
        const char* codec;  // for no bytes: made by its encoder
        int rate;
        int channels;
        QByteArray bytes;
        int wantChannels;
        double seconds;
        double within;  // how far the length may be off: lossy coding pads; 0 for a copy
    } cases[] = {
        {"song.mp3", "song.wav", "libmp3lame", 44100, 2, {}, 2, 1.5, 0.010},
        {"voice.m4a", "voice.wav", "aac", 48000, 2, {}, 2, 1.6, 0.010},
        {"bell.flac", "bell.wav", "flac", 22050, 1, {}, 1, 1.2, kOneSample},
        {"talk.opus", "talk.wav", "libopus", 48000, 2, {}, 2, 1.3, 0.010},
        {"deep.WAV", "deep.wav", "", 0, 0, Bytes::Wav(1, 2, 48000, 24, Bytes::Chunk("data", tone)), 2, 1.0, kOneSample},
        {"surround.wav", "surround.wav", "", 0, 0, Bytes::Wav(1, 6, 44100, 16, Bytes::Chunk("data", tone.left(44100 * 6))), 2, 0.5, kOneSample},
        {"plain.wav", "plain.wav", "", 0, 0, Bytes::Wav(1, 1, 22050, 8, Bytes::Chunk("data", tone.left(22050))), 1, 1.0, 0},
    };
    for (const auto& c : cases)
        if (c.bytes.isNull()) Encode(sources.filePath(c.source), c.codec, c.rate, c.channels, qRound(c.seconds * c.rate));
    ImportAll(cases);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        const QByteArray wav = Bytes::Read(project.filePath(c.name));
        if (c.within == 0) {
            EXPECT_EQ(wav, c.bytes);
            continue;
        }
        // A plain header: PCM, 16 bits at 44.1 kHz, then the data to the end.
        EXPECT_EQ(wav, Bytes::Wav(1, c.wantChannels, 44100, 16, Bytes::Chunk("data", wav.mid(44))));
        EXPECT_NEAR((wav.size() - 44) / (2.0 * c.wantChannels * 44100), c.seconds, c.within);
    }
}

TEST_F(Import, WhatCannotComeInIsRefusedWithItsReasonAndNothingElseInTheFolderChanges)
{
    const QMap<QString, QByteArray> before = {{"LISTDATA.PLD", "list"}, {"Fine.BMP", "old picture"}, {"1.pev", "events"}};
    for (auto it = before.begin(); it != before.end(); ++it) Bytes::Write(project.filePath(it.key()), it.value());
    QDir(sources.path()).mkpath("b/folder.png");
    const QByteArray bmp = Encoded(Quadrants(10, 10), "bmp");
    const QByteArray frame = "FRAME\n" + QByteArray(16 * 16 * 3 / 2, '\x80');
    const struct {
        const char* source;
        QByteArray bytes;  // null: made before
        const char* name;  // or the start of the reason
    } cases[] = {
        {"clip.y4m", "YUV4MPEG2 W16 H16 F25:1 C420jpeg\n" + frame + frame, "動画は取り込めません。"},
        {"empty.wav", "", "ファイルが空です"},
        {"notes.jpg", "Thank you for coming. Please take a seat.\n", "画像としても音声としても読み取れませんでした"},
        {"b/folder.png", {}, "フォルダなど、ファイルでないもの"},
        {"missing.gif", {}, "ファイルが見つかりません"},
        {"fine.bmp", bmp, "fine(2).bmp"},
        {"b/fine.bmp", bmp, "fine(3).bmp"},
    };
    ImportAll(cases);
    EXPECT_EQ(Entries(), (QStringList{"1.pev", "Fine.BMP", "LISTDATA.PLD", "fine(2).bmp", "fine(3).bmp"}));
    for (auto it = before.begin(); it != before.end(); ++it) EXPECT_EQ(Bytes::Read(project.filePath(it.key())), it.value());
}

TEST_F(Import, CancelledImportLeavesNoPartOfWhatWasNotDone)
{
    const QByteArray long24 = Bytes::Wav(1, 2, 48000, 24, Bytes::Chunk("data", QByteArray(48000 * 6 * 60, '\x11')));
    const QStringList paths = {Source("first.wav", long24), Source("second.wav", long24), Source("third.png", Encoded(Quadrants(8, 8), "png"))};
    int calls = 0;
    const QList<Importer::Result> results = Importer::Import(project.path(), paths, [&](int, int total) {
        EXPECT_EQ(total, 3);
        ++calls;
        return false;
    });
    EXPECT_EQ(calls, 1);
    ASSERT_EQ(results.size(), 3);
    EXPECT_EQ(results[1].reason, "取り込みを取り消しました。");
    EXPECT_EQ(results[2].reason, "取り込みを取り消しました。");
    // The first is whole if it was done before the cancel came, and absent if not.
    EXPECT_EQ(Entries(), results[0].name.isEmpty() ? QStringList() : QStringList{results[0].name});
}

TEST(ImportNames, SafeForThePlayerAndFreeInTheFolder)
{
    QTemporaryDir folder;
    for (const char* taken : {"Photo.JPG", "PHOTO(2).jpg", "nul_.wav"}) Bytes::Write(folder.filePath(taken), "x");
    QDir(folder.path()).mkdir("dir.jpg");
    const struct {
        const char* source;
        const char* extension;
        const char* name;
    } cases[] = {
        {"photo.png", "jpg", "photo(3).jpg"},
        {"dir.tiff", "jpg", "dir(2).jpg"},
        {"a<b>c:d\"e|f?g*h.webp", "jpg", "a_b_c_d_e_f_g_h.jpg"},
        {"tab\tand\x01.bmp", "bmp", "tab_and_.bmp"},
        {"CON.png", "jpg", "CON_.jpg"},
        {"lpt9.take.2.mp3", "wav", "lpt9_.take.2.wav"},
        {"nul.flac", "wav", "nul_(2).wav"},
        {"COM10.png", "jpg", "COM10.jpg"},
        {"dots. .png", "jpg", "dots.jpg"},
        {".hidden.png", "jpg", "_hidden.jpg"},
        {"😀 smile.webp", "jpg", "_ smile.jpg"},
        {"Ŝtono.png", "jpg", "_tono.jpg"},
        {"社長の写真①.jpeg", "jpg", "社長の写真①.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        const QString safe = ImportNames::SafeName(QString::fromUtf8(c.source), c.extension);
        EXPECT_EQ(ImportNames::FreeName(folder.path(), safe), QString::fromUtf8(c.name));
    }
}
