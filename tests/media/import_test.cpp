// The importer: every kind of source made at run time with the libraries'
// own encoders, each imported file decoded again and checked, and the
// folder left with nothing but the new files.

#include "core/PictureHeaders.h"
#include "media/Importer.h"
#include "support/Bytes.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

namespace {

using Pictures::Encoded;

// Red, green / blue, yellow (or `last`): which way up the picture is shows
// in its corners.
QImage Quadrants(int width, int height, Qt::GlobalColor last = Qt::yellow)
{
    QImage four(2, 2, QImage::Format_ARGB32);
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, last};
    for (int i = 0; i < 4; ++i) four.setPixelColor(i % 2, i / 2, colours[i]);
    return four.scaled(width, height);
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

// The file that `tool`, FFmpeg's or libheif's own command-line encoder,
// makes from `args` under the name `name`.
QByteArray Made(const QString& tool, QStringList args, const QString& name)
{
    QTemporaryDir dir;
    QProcess encoder;
    encoder.start(tool, args << dir.filePath(name));
    EXPECT_TRUE(encoder.waitForFinished(60000) && encoder.exitCode() == 0) << qPrintable(tool) << encoder.readAllStandardError().toStdString();
    return Bytes::Read(dir.filePath(name));
}

QByteArray Heic(const QImage& picture)
{
    QTemporaryDir dir;
    EXPECT_TRUE(picture.save(dir.filePath("picture.png")));
    return Made("heif-enc", {dir.filePath("picture.png"), "-o"}, "picture.heic");
}

// `seconds` of silence through FFmpeg's encoder `codec`, in the container
// that the extension `suffix` names.
QByteArray Sound(const char* suffix, const char* codec, int rate, int channels, double seconds)
{
    const QString silence = QStringLiteral("anullsrc=r=%1:cl=%2").arg(rate).arg(channels == 1 ? "mono" : "stereo");
    return Made("ffmpeg", {"-loglevel", "error", "-f", "lavfi", "-i", silence, "-t", QString::number(seconds), "-c:a", codec}, QStringLiteral("sound.") + suffix);
}

// What an imported file is, read without the importer: "as it was" when it
// holds the source's bytes; a sound "CHANNELS ch, SECONDS s" when its
// header is plain PCM of 16 bits at 44.1 kHz; a picture "WIDTHxHEIGHT
// CORNERS" when the show check doubts nothing of it (baseline, upright, the
// format its name says).
QString Decoded(const QString& file, const QByteArray& source)
{
    const QByteArray bytes = Bytes::Read(file);
    if (bytes == source) return "as it was";
    if (file.endsWith(".wav")) {
        const int channels = bytes.leftJustified(44, 0).at(22);
        if (bytes != Bytes::Wav(1, channels, 44100, 16, Bytes::Chunk("data", bytes.mid(44)))) return "not 16 bits at 44.1 kHz";
        return QStringLiteral("%1 ch, %2 s").arg(channels).arg((bytes.size() - 44) / (2.0 * channels * 44100), 0, 'f', 3);
    }
    if (!PictureHeaders::Doubts(file, PictureHeaders::Read(file)).isEmpty()) return "doubted";
    const QImage image(file);
    return QStringLiteral("%1x%2 ").arg(image.width()).arg(image.height()) + Corners(image);
}

}  // namespace

// Each source comes in under the row's name, as the player reads it, or is
// refused with a reason that starts as the row says; two that want one name
// get it in their order. The folder ends with its files unchanged and the new
// ones, nothing else.
TEST(Import, EachSourceComesInAsThePlayerReadsItOrIsRefused)
{
    QTemporaryDir sources;
    QTemporaryDir project;
    const QMap<QString, QByteArray> before = {{"LISTDATA.PLD", "list"}, {"Fine.BMP", "old"}, {"1.pev", "events"}};
    for (auto it = before.begin(); it != before.end(); ++it) Bytes::Write(project.filePath(it.key()), it.value());
    QDir(project.path()).mkdir("dir.bmp");
    QDir(sources.path()).mkpath("b/folder.png");
    const QByteArray photo = Encoded(Quadrants(2400, 1600), "jpeg");
    const QByteArray bmp = Encoded(Quadrants(10, 10), "bmp");
    const QByteArray tone = QByteArray(48000 * 2 * 3, '\x40');
    const QByteArray frame = "FRAME\n" + QByteArray(16 * 16 * 3 / 2, '\x80');
    const struct {
        QString source;
        QByteArray bytes;     // null: made before
        const char* name;     // or the start of the reason
        const char* decoded;  // see Decoded()
    } rows[] = {
        // Pictures: upright within 1920 x 1440, as baseline JPEGs unless the player shows them as they are.
        {"one.JPG", Bytes::WithOrientation(Encoded(Quadrants(80, 60), "jpeg"), 1), "one.jpg", "as it was"},
        {"o3.jpg", Bytes::WithOrientation(photo, 3), "o3.jpg", "1920x1280 YBGR"},
        {"o6.jpeg", Bytes::WithOrientation(photo, 6), "o6.jpg", "960x1440 BRYG"},
        {"progressive.jpg", Encoded(Quadrants(400, 300), "jpeg", true), "progressive.jpg", "400x300 RGBY"},
        {"clear.png", Encoded(Quadrants(400, 300, Qt::transparent), "png"), "clear.jpg", "400x300 RGBW"},
        {"wide.png", Encoded(Quadrants(4000, 1000), "png"), "wide.jpg", "1920x480 RGBY"},
        {"phone.HEIC", Heic(Quadrants(640, 480)), "phone.jpg", "640x480 RGBY"},
        // Sounds: 16 bits at 44.1 kHz, at most two channels, of the same length, unless the player plays them as they are.
        {"song.mp3", Sound("mp3", "libmp3lame", 44100, 2, 1.5), "song.wav", "2 ch, 1.500 s"},
        {"voice.m4a", Sound("m4a", "aac", 48000, 2, 1.6), "voice.wav", "2 ch, 1.600 s"},
        {"bell.flac", Sound("flac", "flac", 22050, 1, 1.2), "bell.wav", "1 ch, 1.200 s"},
        {"deep.WAV", Bytes::Wav(1, 2, 48000, 24, Bytes::Chunk("data", tone)), "deep.wav", "2 ch, 1.000 s"},
        {"surround.wav", Bytes::Wav(1, 6, 44100, 16, Bytes::Chunk("data", tone.left(44100 * 6))), "surround.wav", "2 ch, 0.500 s"},
        {"plain.wav", Bytes::Wav(1, 1, 22050, 8, Bytes::Chunk("data", tone.left(22050))), "plain.wav", "as it was"},
        // Names: safe on Windows and in CP932, free in the folder whatever the case, given in the order of the sources.
        {"fine.bmp", bmp, "fine(2).bmp", "as it was"},
        {"b/fine.bmp", bmp, "fine(3).bmp", "as it was"},
        {"dir.tiff", bmp, "dir(2).bmp", "as it was"},
        {"a<b>c:d\"e|f?g*h.webp", bmp, "a_b_c_d_e_f_g_h.bmp", "as it was"},
        {"tab\tand\x01.bmp", bmp, "tab_and_.bmp", "as it was"},
        {"lpt9.take.2.mp3", bmp, "lpt9_.take.2.bmp", "as it was"},
        {"COM10.png", bmp, "COM10.bmp", "as it was"},
        {"dots. .png", bmp, "dots.bmp", "as it was"},
        {".hidden.png", bmp, "_hidden.bmp", "as it was"},
        {"😀 smile.webp", bmp, "_ smile.bmp", "as it was"},
        {"社長の写真①.jpeg", bmp, "社長の写真①.bmp", "as it was"},
        // Refused.
        {"clip.y4m", "YUV4MPEG2 W16 H16 F25:1 C420jpeg\n" + frame + frame, "動画は取り込めません。", ""},
        {"empty.wav", "", "ファイルが空です", ""},
        {"notes.jpg", "Thank you for coming. Please take a seat.\n", "画像としても音声としても読み取れませんでした", ""},
        {"b/folder.png", {}, "フォルダなど、ファイルでないもの", ""},
        {"missing.gif", {}, "ファイルが見つかりません", ""},
    };
    QStringList paths;
    for (const auto& row : rows) {
        if (!row.bytes.isNull()) Bytes::Write(sources.filePath(row.source), row.bytes);
        paths << sources.filePath(row.source);
    }
    const QList<Importer::Result> results = Importer::Import(project.path(), paths);
    ASSERT_EQ(results.size(), std::size(rows));
    QStringList after = before.keys() << "dir.bmp";
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].source.toStdString());
        EXPECT_TRUE((results[i].name + results[i].reason).startsWith(QString::fromUtf8(rows[i].name))) << (results[i].name + results[i].reason).toStdString();
        if (results[i].name.isEmpty()) continue;
        EXPECT_EQ(Decoded(project.filePath(results[i].name), rows[i].bytes).toStdString(), rows[i].decoded);
        after << results[i].name;
    }

    // Then an import cancelled at once: the sources not yet brought in are refused; of them nothing stays.
    QStringList more;
    for (const char* name : {"first.wav", "second.wav", "third.wav"}) {
        more << sources.filePath(name);
        Bytes::Write(more.last(), Bytes::Wav(1, 2, 48000, 24, Bytes::Chunk("data", QByteArray(48000 * 6 * 60, '\x11'))));
    }
    int calls = 0;
    const QList<Importer::Result> cancelled = Importer::Import(project.path(), more, [&](int, int) {
        ++calls;
        return false;
    });
    EXPECT_EQ(calls, 1);
    ASSERT_EQ(cancelled.size(), 3);
    for (const int later : {1, 2}) EXPECT_EQ(cancelled[later].reason, "取り込みを取り消しました。");
    // The first is whole if it was done before the cancel came, and absent if not.
    if (!cancelled[0].name.isEmpty()) after << cancelled[0].name;

    after.sort();
    const QStringList entries = QDir(project.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    EXPECT_EQ(entries.join('|').toStdString(), after.join('|').toStdString());
    for (auto it = before.begin(); it != before.end(); ++it) EXPECT_EQ(Bytes::Read(project.filePath(it.key())), it.value());
}
