// The importer: every kind of source made at run time with the libraries'
// own encoders, each imported file decoded again and checked, and the
// folder left with nothing but the new files.

#include "core/PictureHeaders.h"
#include "media/ImportNames.h"
#include "media/Importer.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include <libheif/heif.h>
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

// x265 keeps a block of every encoder it opens to the end of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:libx265.so\n"; }

// QStrings read as text in the failures.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using Bytes::Hex;

const QColor kRed(220, 30, 30);
const QColor kGreen(30, 200, 30);
const QColor kBlue(30, 30, 220);
const QColor kYellow(230, 230, 30);

// Red, green / blue, yellow: which way up the picture is shows in its corners.
QImage Quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, kRed);
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, kGreen);
    painter.fillRect(0, height / 2, width / 2, height - height / 2, kBlue);
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, kYellow);
    return image;
}

// Transparent on the left, red on the right.
QImage HalfClear(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter(&image).fillRect(width / 2, 0, width - width / 2, height, kRed);
    return image;
}

// The colours of the four corners, read along the rows: R, G, B, Y or W.
QString Corners(const QImage& image)
{
    const struct {
        QChar letter;
        QColor colour;
    } known[] = {{u'R', kRed}, {u'G', kGreen}, {u'B', kBlue}, {u'Y', kYellow}, {u'W', Qt::white}};
    QString corners;
    for (const QPoint at : {QPoint(1, 1), QPoint(7, 1), QPoint(1, 7), QPoint(7, 7)}) {
        const QColor c = image.pixelColor(at.x() * image.width() / 8, at.y() * image.height() / 8);
        const auto distance = [&c](const QColor& k) {
            return std::abs(c.red() - k.red()) + std::abs(c.green() - k.green()) + std::abs(c.blue() - k.blue());
        };
        corners += std::min_element(std::begin(known), std::end(known), [&](const auto& a, const auto& b) {
                       return distance(a.colour) < distance(b.colour);
                   })->letter;
    }
    return corners;
}

QByteArray Encoded(const QImage& image, const char* format, bool progressive = false)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << format;
    return buffer.data();
}

// A JPEG with an EXIF block after its start that holds only the orientation.
QByteArray WithOrientation(const QByteArray& jpeg, int orientation)
{
    const QByteArray exif = QByteArray("Exif\0\0", 6) + Hex("4D4D002A00000008 0001 0112000300000001") + char(0)
                            + char(orientation) + Hex("0000 00000000");
    return jpeg.left(2) + Hex("FFE1") + char(0) + char(exif.size() + 2) + exif + jpeg.mid(2);
}

// An 8 x 8 baseline JPEG of four components (CMYK, as print programs write):
// every block holds a zero DC and nothing else, coded with one-code tables.
QByteArray Cmyk()
{
    return Hex("FFD8 FFEE000E 41646F626500640000000000")  // Adobe, no transform
           + Hex("FFDB0043 00") + QByteArray(64, '\1')
           + Hex("FFC00014 08 0008 0008 04 011100 021100 031100 041100")
           + Hex("FFC40014 00 01000000000000000000000000000000 00")  // DC: category 0
           + Hex("FFC40014 10 01000000000000000000000000000000 00")  // AC: end of block
           + Hex("FFDA000E 04 0100 0200 0300 0400 003F00") + Hex("00 FFD9");
}

// A BMP of 16 x 16 pixels of 32 bits, which older decoders refuse, in
// quadrants as Quadrants() draws them (rows from the bottom up).
QByteArray Bmp32()
{
    using Bytes::Le;
    QByteArray rows;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) rows += Hex(y < 8 ? (x < 8 ? "DC1E1E00" : "1EE6E600") : (x < 8 ? "1E1EDC00" : "1EC81E00"));
    }
    const QByteArray info = Le(40, 4) + Le(16, 4) + Le(16, 4) + Le(1, 2) + Le(32, 2) + Le(0, 4) + Le(rows.size(), 4) + QByteArray(16, '\0');
    return "BM" + Le(54 + rows.size(), 4) + Le(0, 4) + Le(54, 4) + info + rows;
}

QByteArray Heic(const QImage& picture)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    EXPECT_EQ(heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder).code, heif_error_Ok);
    heif_image* image = nullptr;
    heif_image_create(rgb.width(), rgb.height(), heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, rgb.width(), rgb.height(), 8);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height(); ++y) memcpy(plane + y * stride, rgb.constScanLine(y), rgb.width() * 3);
    EXPECT_EQ(heif_context_encode_image(context, image, encoder, nullptr, nullptr).code, heif_error_Ok);
    QByteArray bytes;
    heif_writer writer{1, [](heif_context*, const void* data, size_t size, void* out) {
                           static_cast<QByteArray*>(out)->append(static_cast<const char*>(data), qsizetype(size));
                           return heif_error{heif_error_Ok, heif_suberror_Unspecified, ""};
                       }};
    heif_context_write(context, &writer, &bytes);
    heif_image_release(image);
    heif_encoder_release(encoder);
    heif_context_free(context);
    return bytes;
}

// Writes `count` samples of silence per channel (or `count` grey frames,
// for a video encoder) through FFmpeg's encoder `codecName` into the
// container that the extension of `path` names.
void Encode(const QString& path, const char* codecName, int rate, int channels, int count)
{
    const AVCodec* codec = avcodec_find_encoder_by_name(codecName);
    ASSERT_NE(codec, nullptr) << codecName;
    AVFormatContext* out = nullptr;
    ASSERT_GE(avformat_alloc_output_context2(&out, nullptr, nullptr, path.toUtf8().constData()), 0);
    AVCodecContext* encoder = avcodec_alloc_context3(codec);
    const bool video = codec->type == AVMEDIA_TYPE_VIDEO;
    encoder->time_base = AVRational{1, video ? 25 : rate};
    encoder->width = video ? 64 : 0;
    encoder->height = video ? 48 : 0;
    encoder->pix_fmt = video ? codec->pix_fmts[0] : AV_PIX_FMT_NONE;
    encoder->sample_rate = rate;
    encoder->sample_fmt = video ? AV_SAMPLE_FMT_NONE : codec->sample_fmts[0];
    av_channel_layout_default(&encoder->ch_layout, channels);
    if (out->oformat->flags & AVFMT_GLOBALHEADER) encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    ASSERT_GE(avcodec_open2(encoder, codec, nullptr), 0) << codecName;
    AVStream* stream = avformat_new_stream(out, nullptr);
    avcodec_parameters_from_context(stream->codecpar, encoder);
    stream->time_base = encoder->time_base;
    ASSERT_GE(avio_open(&out->pb, path.toUtf8().constData(), AVIO_FLAG_WRITE), 0);
    ASSERT_GE(avformat_write_header(out, nullptr), 0);
    AVFrame* frame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    const int step = video ? 1 : encoder->frame_size > 0 ? encoder->frame_size : 4096;
    for (int at = 0;; at += step) {
        av_frame_unref(frame);
        if (at < count) {
            frame->format = video ? int(encoder->pix_fmt) : int(encoder->sample_fmt);
            frame->width = encoder->width;
            frame->height = encoder->height;
            frame->nb_samples = video ? 0 : std::min(step, count - at);
            av_channel_layout_copy(&frame->ch_layout, &encoder->ch_layout);
            frame->pts = at;
            av_frame_get_buffer(frame, 0);
            for (int p = 0; video && p < 3; ++p) memset(frame->data[p], 128, frame->linesize[p] * encoder->height / (p ? 2 : 1));
            if (!video) av_samples_set_silence(frame->extended_data, 0, frame->nb_samples, channels, encoder->sample_fmt);
        }
        avcodec_send_frame(encoder, at < count ? frame : nullptr);
        while (avcodec_receive_packet(encoder, packet) == 0) {
            av_packet_rescale_ts(packet, encoder->time_base, stream->time_base);
            av_interleaved_write_frame(out, packet);
        }
        if (at >= count) break;
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
    QStringList Entries() const
    {
        QStringList names = QDir(project.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        names.sort();
        return names;
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
        {"upright.jpg", Encoded(Quadrants(800, 600), "jpeg"), "upright.jpg", {800, 600}, "RGBY", true},
        {"one.JPG", WithOrientation(Encoded(Quadrants(80, 60), "jpeg"), 1), "one.jpg", {80, 60}, "RGBY", true},
        {"o2.jpg", WithOrientation(photo, 2), "o2.jpg", {1920, 1280}, "GRYB", false},
        {"o3.jpg", WithOrientation(photo, 3), "o3.jpg", {1920, 1280}, "YBGR", false},
        {"o4.jpg", WithOrientation(photo, 4), "o4.jpg", {1920, 1280}, "BYRG", false},
        {"o5.jpg", WithOrientation(photo, 5), "o5.jpg", {960, 1440}, "RBGY", false},
        {"o6.jpeg", WithOrientation(photo, 6), "o6.jpg", {960, 1440}, "BRYG", false},
        {"o7.jpg", WithOrientation(photo, 7), "o7.jpg", {960, 1440}, "YGBR", false},
        {"o8.jpg", WithOrientation(photo, 8), "o8.jpg", {960, 1440}, "GYRB", false},
        {"progressive.jpg", Encoded(Quadrants(400, 300), "jpeg", true), "progressive.jpg", {400, 300}, "RGBY", false},
        {"print.jpg", Cmyk(), "print.jpg", {8, 8}, "", false},
        {"clear.png", Encoded(HalfClear(400, 300), "png"), "clear.jpg", {400, 300}, "WRWR", false},
        {"wide.png", Encoded(Quadrants(4000, 1000), "png"), "wide.jpg", {1920, 480}, "RGBY", false},
        {"web.webp", Encoded(Quadrants(400, 300), "webp"), "web.jpg", {400, 300}, "RGBY", false},
        {"scan.tiff", Encoded(Quadrants(400, 300), "tiff"), "scan.jpg", {400, 300}, "RGBY", false},
        {"pic.bmp", Encoded(Quadrants(400, 300), "bmp"), "pic.bmp", {400, 300}, "RGBY", true},
        {"deep.bmp", Bmp32(), "deep.jpg", {16, 16}, "RGBY", false},
        {"phone.HEIC", Heic(Quadrants(640, 480)), "phone.jpg", {640, 480}, "RGBY", false},
    };
    QStringList paths;
    for (const auto& c : cases) paths << Source(c.source, c.bytes);
    const QList<Importer::Result> results = Importer::Import(project.path(), paths);
    ASSERT_EQ(results.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.source.toStdString());
        EXPECT_EQ(results[i].reason, QString());
        EXPECT_EQ(results[i].name, QString::fromUtf8(c.name));
        const QString path = project.filePath(results[i].name);
        if (c.copied) EXPECT_EQ(Bytes::Read(path), c.bytes);
        const PictureHeaders::Facts facts = PictureHeaders::Read(path);
        if (facts.format == PictureHeaders::Format::Jpeg) {
            EXPECT_FALSE(facts.progressive);
            EXPECT_LE(facts.orientation, 1);
            EXPECT_NE(facts.components, 4);
        }
        QImageReader reader(path);
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
        QString source;
        const char* codec;  // empty: `wav` is the source
        int rate;
        int channels;
        QByteArray wav;
        int wantChannels;
        double seconds;
        double within;  // how far the length may be off: lossy coding pads; 0 for a copy
    } cases[] = {
        {"song.mp3", "libmp3lame", 44100, 2, {}, 2, 1.5, 0.010},
        {"voice.m4a", "aac", 48000, 2, {}, 2, 1.6, 0.010},
        {"bell.flac", "flac", 22050, 1, {}, 1, 1.2, kOneSample},
        {"talk.opus", "libopus", 48000, 2, {}, 2, 1.3, 0.010},
        {"deep.WAV", "", 0, 0, Bytes::Wav(1, 2, 48000, 24, Bytes::Chunk("data", tone)), 2, 1.0, kOneSample},
        {"surround.wav", "", 0, 0, Bytes::Wav(1, 6, 44100, 16, Bytes::Chunk("data", tone.left(44100 * 6))), 2, 0.5, kOneSample},
        {"plain.wav", "", 0, 0, Bytes::Wav(1, 1, 22050, 8, Bytes::Chunk("data", tone.left(22050))), 1, 1.0, 0},
    };
    QStringList paths;
    for (const auto& c : cases) {
        paths << Source(c.source, c.wav);
        if (*c.codec) Encode(paths.back(), c.codec, c.rate, c.channels, qRound(c.seconds * c.rate));
    }
    const QList<Importer::Result> results = Importer::Import(project.path(), paths);
    ASSERT_EQ(results.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE(c.source.toStdString());
        EXPECT_EQ(results[i].reason, QString());
        EXPECT_EQ(results[i].name, QFileInfo(c.source).completeBaseName() + ".wav");
        const QByteArray wav = Bytes::Read(project.filePath(results[i].name));
        if (c.within == 0) {
            EXPECT_EQ(wav, c.wav);
            continue;
        }
        ASSERT_GE(wav.size(), 44);
        const auto* p = reinterpret_cast<const uchar*>(wav.constData());
        EXPECT_EQ(wav.left(16), "RIFF" + Bytes::Le(wav.size() - 8, 4) + "WAVEfmt ");
        EXPECT_EQ(wav.mid(16, 8), Bytes::Le(16, 4) + Bytes::Le(1, 2) + Bytes::Le(c.wantChannels, 2));
        EXPECT_EQ(qFromLittleEndian<quint32>(p + 24), 44100u);
        EXPECT_EQ(qFromLittleEndian<quint16>(p + 34), 16);
        EXPECT_EQ(wav.mid(36, 4), "data");
        EXPECT_EQ(qFromLittleEndian<quint32>(p + 40), quint32(wav.size() - 44));
        EXPECT_NEAR((wav.size() - 44) / (2.0 * c.wantChannels * 44100), c.seconds, c.within);
    }
}

TEST_F(Import, WhatCannotComeInIsRefusedWithItsReasonAndTheRestGoesOn)
{
    Encode(sources.filePath("clip.mp4"), "mpeg4", 0, 0, 10);
    QDir(sources.path()).mkdir("folder.png");
    const struct {
        QString source;
        QByteArray bytes;  // null: made before
        const char* reason;
    } cases[] = {
        {"clip.mp4", {}, "動画は取り込めません。"},
        {"empty.wav", "", "ファイルが空です"},
        {"notes.jpg", "Thank you for coming. Please take a seat.\n", "画像としても音声としても読み取れませんでした"},
        {"broken.png", Hex("89504E470D0A1A0A") + QByteArray(100, 'x'), "画像を読み取れませんでした"},
        {"broken.mp3", "ID3" + QByteArray(3000, '\0'), "読み取れませんでした"},
        {"folder.png", {}, "ファイルでないものは取り込めません"},
        {"missing.gif", {}, "ファイルが見つかりません"},
        {"fine.bmp", Encoded(Quadrants(10, 10), "bmp"), ""},
    };
    QStringList paths;
    for (const auto& c : cases) paths << (c.bytes.isNull() ? sources.filePath(c.source) : Source(c.source, c.bytes));
    const QList<Importer::Result> results = Importer::Import(project.path(), paths);
    ASSERT_EQ(results.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].source.toStdString());
        EXPECT_EQ(results[i].source, paths[i]);
        EXPECT_TRUE(results[i].reason.contains(QString::fromUtf8(cases[i].reason))) << results[i].reason.toStdString();
        EXPECT_EQ(results[i].name.isEmpty(), *cases[i].reason != 0);
    }
    EXPECT_EQ(Entries(), QStringList{"fine.bmp"});
}

TEST_F(Import, NamesComeInOrderAndNothingInTheFolderChanges)
{
    const QMap<QString, QByteArray> before = {{"LISTDATA.PLD", "list"}, {"Pic.JPG", "old picture"}, {"1.pev", "events"}};
    for (auto it = before.begin(); it != before.end(); ++it) Bytes::Write(project.filePath(it.key()), it.value());
    QDir(sources.path()).mkdir("b");
    const QByteArray png = Encoded(Quadrants(40, 30), "png");
    const QStringList paths = {Source("pic.png", png), Source("b/pic.png", png), Source("pic.webp", Encoded(Quadrants(40, 30), "webp"))};
    const QList<Importer::Result> results = Importer::Import(project.path(), paths);
    QStringList names;
    for (const Importer::Result& r : results) names << r.name;
    EXPECT_EQ(names, (QStringList{"pic(2).jpg", "pic(3).jpg", "pic(4).jpg"}));
    QStringList expected = before.keys() + names;
    expected.sort();
    EXPECT_EQ(Entries(), expected);
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
        {"summer.HEIC", "jpg", "summer.jpg"},
        {"photo.png", "jpg", "photo(3).jpg"},
        {"dir.tiff", "jpg", "dir(2).jpg"},
        {"a<b>c:d\"e|f?g*h.webp", "jpg", "a_b_c_d_e_f_g_h.jpg"},
        {"tab\tand\x01.bmp", "bmp", "tab_and_.bmp"},
        {"CON.png", "jpg", "CON_.jpg"},
        {"lpt9.take.2.mp3", "wav", "lpt9_.take.2.wav"},
        {"nul.flac", "wav", "nul_(2).wav"},
        {"COM10.png", "jpg", "COM10.jpg"},
        {"console.png", "jpg", "console.jpg"},
        {"dots. .png", "jpg", "dots.jpg"},
        {".hidden.png", "jpg", "_hidden.jpg"},
        {"😀 smile.webp", "jpg", "_ smile.jpg"},
        {"Ŝtono.png", "jpg", "_tono.jpg"},
        {"社長の写真①.jpeg", "jpg", "社長の写真①.jpg"},
        {"noextension", "wav", "noextension.wav"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        const QString safe = ImportNames::SafeName(QString::fromUtf8(c.source), c.extension);
        EXPECT_EQ(ImportNames::FreeName(folder.path(), safe), QString::fromUtf8(c.name));
    }
}
