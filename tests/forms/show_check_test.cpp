// The show check on a folder made here: a clean show, then each problem once,
// also what keeps a copy from working on the player's Windows PC, and then
// with the cache of what earlier checks learnt; and which wav headers count
// as playable. The pictures are real, made with Qt's own
// writers and decoded by the program's own decoder.

#include "core/EventKinds.h"
#include "core/ShowCheck.h"
#include "forms/Picture.h"
#include "support/Pictures.h"
#include "support/Shows.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

using namespace EventKinds;

using Bytes::Chunk;

// A photograph in `format`, progressive where the format has it.
QByteArray Photo(const char* format, bool progressive = false)
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor(200, 120, 40));
    return Pictures::Encoded(image, format, progressive);
}

// A baseline JPEG that a phone turned by its EXIF orientation only.
QByteArray SidewaysJpeg() { return Bytes::WithOrientation(Photo("jpg"), 6); }

// A wav whose 'fmt ' chunk says `tag` (1 = PCM), `channels` and `bits`, between `before` and `after`.
QByteArray Wav(int tag, int channels, int bits, const QByteArray& before = {}, const QByteArray& after = Chunk("data", "xx"))
{
    return Bytes::Wav(tag, channels, 8000, bits, after, before);
}

}  // namespace

// The findings as "problem item name row file", one a line, counting the
// pictures decoded: each once, whatever the letter case it is named in, and
// none that the check's cache knows unchanged.
TEST(ShowCheck, CleanShowThenEachProblemOnceMostSevereFirst)
{
    QTemporaryDir dir;
    std::atomic<int> decodes{0};
    const ShowCheck::PictureCheck decodable = [&](const QString& path) {
        ++decodes;
        return Picture::CanDecode(path);
    };
    const auto found = [&](const Module1& m, CheckCache::Store* cache = nullptr) {
        decodes = 0;
        QStringList lines;
        for (const ShowCheck::Finding& f : ShowCheck::Check(m, decodable, cache))
            lines << QStringLiteral("%1 %2 %3 %4 %5").arg(int(f.problem)).arg(f.item).arg(f.itemName, QString::number(f.eventRow), f.file);
        return lines.join('\n').toStdString();
    };
    const auto add = [&](const QString& name, const QByteArray& bytes) { ASSERT_TRUE(Bytes::Write(dir.filePath(name), bytes)); };
    add("タイトル.bmp", Photo("bmp"));
    add("写真.jpg", Photo("jpg"));
    add("音楽.wav", Wav(1, 2, 16));
    const QList<Shows::Item> clean = {
        {"はじめに", {{kText, "こんにちは"}, {kPicture, "写真.jpg"}, {kWavLoop, "音楽.wav"}, {kEndless, kBackToStart}}},
        {"次", {{kWait, "500"}, {kWavOnce, "音楽.wav"}, {kWavStop, ""}, {kPicture, "写真.JPG"}}},
    };
    EXPECT_EQ(found(*Shows::Make(dir.path(), clean, "タイトル.BMP", {})), "");

    add("broken.jpg", "JFIF?");
    add("float.wav", Wav(3, 1, 32));
    add("CON.jpg", Photo("jpg"));
    add("Logo.jpg", Photo("jpg"));
    add("logo.jpg", Photo("jpg"));
    add("画面.jpg", Photo("png"));
    add("段階.jpg", Photo("jpg", true));
    add("横向き.jpg", SidewaysJpeg());
    const QList<Shows::Item> items = {
        {"欠番", {{kText, "t"}}},
        {"壊れ", {{kText, "t"}}},
        {"絵", {{kPicture, "写真.jpg"}, {kPicture, "broken.jpg"}, {kText, "t"}}},
        {"音", {{kWait, "100"}, {kWavOnce, "float.wav"}}},
        {"空", {}},
        {"会社案内", {{kPicture, "CON.jpg"}, {kPicture, "Logo.jpg"}, {kPicture, "logo.jpg"}, {kPicture, "画面.jpg"}, {kPicture, "段階.jpg"}, {kPicture, "横向き.jpg"}}},
    };
    const std::unique_ptr<Module1> m = Shows::Make(dir.path(), items, "title.gif", {});
    ASSERT_TRUE(QFile::remove(dir.filePath("1.pev")));
    add("2.pev", "\"x\",\"a\"\r\n\"y\",\"unclosed\r\n");
    add("9.PEV", "");
    m->ListTable[8][1] = "after the first unnamed row";  // not in the list: its missing file is no finding
    m->ListTable[8][2] = "8.pev";
    const char* expected =
        "0 1 欠番 0 1.pev\n"
        "1 2 壊れ 0 2.pev\n"
        "2 1002  0 title.gif\n"
        "2 3 絵 2 broken.jpg\n"
        "3 4 音 2 float.wav\n"
        "6 5 空 0 5.pev\n"
        "7 0  0 9.PEV\n"
        "8 6 会社案内 1 CON.jpg\n"
        "9 6 会社案内 3 logo.jpg\n"
        "10 6 会社案内 4 画面.jpg\n"
        "11 6 会社案内 5 段階.jpg\n"
        "12 6 会社案内 6 横向き.jpg";
    EXPECT_EQ(found(*m), expected);
    EXPECT_EQ(decodes, 8);

    // With a cache kept across checks, the findings are the same, and a picture
    // is decoded again only once its file has changed, even keeping its size.
    const QString cacheFile = dir.filePath("cache/check-cache");
    auto cache = std::make_unique<CheckCache::Store>(cacheFile);
    EXPECT_EQ(found(*m, cache.get()), expected);
    ASSERT_TRUE(cache->Save());
    QFile touched(dir.filePath("段階.jpg"));
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    cache = std::make_unique<CheckCache::Store>(cacheFile);
    EXPECT_EQ(found(*m, cache.get()), expected);
    EXPECT_EQ(decodes, 1);
}

// (A float wav is found in the walk above.)
TEST(ShowCheck, PlayableWavIsEightOrSixteenBitPcmInMonoOrStereo)
{
    const struct {
        const char* name;
        QByteArray bytes;
        bool playable;
    } cases[] = {
        {"16-bit mono", Wav(1, 1, 16), true},
        {"8-bit stereo after an odd-sized chunk", Wav(1, 2, 8, Chunk("LIST", "odd")), true},
        {"24-bit", Wav(1, 2, 24), false},
        {"six channels", Wav(1, 6, 16), false},
        {"data before fmt", Wav(1, 1, 16, Chunk("data", "xx"), {}), false},
        {"no data", Wav(1, 1, 16, {}, {}), false},
        {"not RIFF", "ID3\x03" + QByteArray(60, '\0'), false},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        ASSERT_TRUE(Bytes::Write(dir.filePath("a.wav"), c.bytes));
        EXPECT_EQ(ShowCheck::IsPlayableWav(dir.filePath("a.wav")), c.playable) << c.name;
    }
}
