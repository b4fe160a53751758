// The show check on a folder made here, clean and then with each problem
// once, and which wav headers count as playable.

#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/ShowCheck.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace {

using namespace EventKinds;

using Bytes::Chunk;

// A wav whose 'fmt ' chunk says `tag` (1 = PCM), `channels` and `bits`, between `before` and `after`.
QByteArray Wav(int tag, int channels, int bits, const QByteArray& before = {}, const QByteArray& after = Chunk("data", "xx"))
{
    return Bytes::Wav(tag, channels, 8000, bits, after, before);
}

}  // namespace

TEST(ShowCheck, CleanShowThenEachProblemOnceMostSevereFirst)
{
    QTemporaryDir dir;
    auto m = std::make_unique<Module1>();
    m->PrepareNewList();
    m->ProjectFolder = dir.path();
    const auto item = [&](int row, const QString& name, const QList<QStringList>& events) {
        m->ListTable[row][1] = name;
        m->ListTable[row][2] = QStringLiteral("%1.pev").arg(row);
        m->ItemIndex = qint16(row);
        m->ClearEventTable();
        for (int i = 0; i < events.size(); ++i) {
            m->EventTable[i + 1][0] = events[i][0];
            m->EventTable[i + 1][1] = events[i][1];
        }
        ASSERT_TRUE(EventFile::Write(m->ProjectFolder, EventFile::NameOf(*m), m->EventTable).ok);
    };
    std::atomic<int> decodes{0};  // a picture "decodes" when it starts with PIC
    const ShowCheck::PictureCheck decodable = [&](const QString& path) {
        ++decodes;
        return Bytes::Read(path).startsWith("PIC");
    };
    const auto check = [&] { return ShowCheck::Check(*m, decodable); };
    Bytes::Write(dir.filePath("ok.jpg"), "PIC");
    Bytes::Write(dir.filePath("broken.jpg"), "JFIF?");
    Bytes::Write(dir.filePath("good.wav"), Wav(1, 1, 16));
    Bytes::Write(dir.filePath("float.wav"), Wav(3, 1, 32));
    m->ListTable[Module1::kStartGraphicRow][1] = "OK.JPG";  // any letter case
    item(1, "欠番", {{kText, "こんにちは"}, {kPicture, "ok.jpg"}, {kWavLoop, "good.wav"}, {kEndless, kBackToStart}});
    item(2, "壊れ", {{kWait, "500"}, {kWavOnce, "good.wav"}, {kWavStop, ""}, {kEndless, kBackToStart}});
    EXPECT_TRUE(check().isEmpty());
    EXPECT_EQ(decodes, 1);

    QFile::remove(dir.filePath("1.pev"));
    Bytes::Write(dir.filePath("2.pev"), "\"x\",\"a\"\r\n\"y\",\"unclosed\r\n");
    item(3, "絵", {{kPicture, "ok.jpg"}, {kPicture, "broken.jpg"}, {kText, "t"}});
    item(4, "音", {{kWait, "100"}, {kWavOnce, "float.wav"}});
    item(5, "空", {});
    item(7, "after the first unnamed row", {});  // not in the list
    Bytes::Write(dir.filePath("9.PEV"), "");
    m->ListTable[Module1::kStartGraphicRow][1] = "title.gif";
    QStringList found;
    for (const ShowCheck::Finding& f : check())
        found << QStringLiteral("%1 %2 %3 %4 %5").arg(int(f.problem)).arg(f.item).arg(f.itemName, QString::number(f.eventRow), f.file);
    EXPECT_EQ(found.join(" | ").toStdString(), "0 1 欠番 0 1.pev | 1 2 壊れ 0 2.pev | 2 1002  0 title.gif | 2 3 絵 2 broken.jpg | "
                                               "3 4 音 2 float.wav | 6 5 空 0 5.pev | 7 0  0 9.PEV");
    EXPECT_EQ(decodes, 3);  // ok.jpg once more, broken.jpg once
}

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
        {"float", Wav(3, 1, 32), false},
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
