// Every way packing ends without a zip. (What a zip holds, as other readers
// see it, is in tests/app/tst_windows_copy.cpp.)

#include "core/EventKinds.h"
#include "core/Records.h"
#include "core/SaveFile.h"
#include "pack/ShowZip.h"
#include "support/Shows.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// "紹介ショー": one item showing 写真.jpg and playing ソ音.wav, the start
// graphic 表紙.bmp; and the folder "out" beside it.
std::unique_ptr<Module1> MakeShow(const QTemporaryDir& root)
{
    QDir().mkpath(root.filePath("out"));
    return Shows::Make(root.filePath("紹介ショー"),
                       {{"一", {{EventKinds::kPicture, "写真.jpg"}, {EventKinds::kWavOnce, "ソ音.wav"}}}}, "表紙.bmp",
                       {"写真.jpg", "ソ音.wav", "表紙.bmp"});
}

}  // namespace

// Stopped or failed: the message says why, and the folder of the zip holds
// what it held, an older zip of that name unchanged.
TEST(ShowZip, EndsWithoutAZip)
{
    const auto fault = [](const char* operation) { return QByteArray(operation) == "rename"; };
    const struct {
        QString target;                        // in the folder "out"
        std::function<void(Module1&)> change;  // once the files are collected
        ShowZip::Progress progress;
        QString message;
    } cases[] = {
        {"../紹介ショー/show.zip", {}, {}, "zip ファイルは、ショーのフォルダ「紹介ショー」の中には作れません。フォルダの外の場所を選んでください。"},
        {"show.zip", [](Module1& m) { QFile::remove(m.ProjectPath("ソ音.wav")); }, {}, Records::ReadFailedMessage("ソ音.wav")},
        {"show.zip", {}, [](qint64 done, qint64) { return done < 100; }, "まとめるのを中止しました。zip ファイルは作っていません。"},
        {"show.zip", [&](Module1&) { SaveFile::SetFaultHook(fault); }, {}, Records::SaveFailedMessage("show.zip")},
    };
    for (const auto& c : cases) {
        QTemporaryDir root;
        const std::unique_ptr<Module1> m = MakeShow(root);
        ASSERT_TRUE(Bytes::Write(root.filePath("out/show.zip"), "older zip"));
        const ShowFiles::Plan plan = ShowFiles::Collect(*m);
        if (c.change) c.change(*m);
        const ShowZip::Result packed = ShowZip::Write(plan, root.filePath("out/" + c.target), c.progress);
        SaveFile::SetFaultHook({});
        EXPECT_EQ(packed.message.toStdString(), c.message.toStdString());
        EXPECT_EQ(QDir(root.filePath("out")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"show.zip"});
        EXPECT_EQ(Bytes::Read(root.filePath("out/show.zip")), "older zip");
        EXPECT_FALSE(QFileInfo::exists(m->ProjectPath("show.zip")));
    }
}
