// Which files a show uses and what keeps a copy of it from working on
// Windows; the Windows file-name rule on its own; every way packing ends
// without a zip. (What a zip holds, as other readers see it, is in
// tests/app/tst_windows_copy.cpp.)

#include "core/EventKinds.h"
#include "core/ProjectFiles.h"
#include "core/Records.h"
#include "core/SaveFile.h"
#include "core/ShowFiles.h"
#include "pack/ShowZip.h"
#include "support/Shows.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace EventKinds;

// In the folder "紹介": two items, the start graphic, a file no one uses.
std::unique_ptr<Module1> MakeShow(const QTemporaryDir& root)
{
    return Shows::Make(root.filePath("紹介"),
                       {{"はじめに", {{kPicture, "写真.jpg"}, {kWavLoop, "音.WAV"}, {kPicture, ""}}},
                        {"次", {{kText, "絵.gif"}, {kPicture, "絵.gif"}, {kWavOnce, "音.wav"}, {kPicture, "写真.JPG"}}}},
                       "表紙.BMP", {"写真.jpg", "音.wav", "絵.gif", "表紙.bmp", "未使用.jpg", "3.pev"});
}

bool Remove(const Module1& m, const char* name) { return QFile::remove(m.ProjectPath(name)); }
bool Add(const Module1& m, const char* name) { return Bytes::Write(m.ProjectPath(name), "y"); }
bool Name(Module1& m, int row, int column, const char* name) { return !(m.ListTable[row][column] = name).isEmpty(); }
bool MoveTo(Module1& m, const QString& folder)
{
    const QString moved = QFileInfo(m.ProjectFolder).path() + '/' + folder;
    m.ProjectFolder = QDir().rename(m.ProjectFolder, moved) ? moved : QString();
    return !m.ProjectFolder.isEmpty();
}

}  // namespace

// Each problem once, in the user's words; without one, each file once by its
// name on disk, in order: list data, event files, then the start graphic and
// the media of the events (only named events count); with the list given, no
// list data file is needed.
TEST(ShowFiles, WhatTheShowUsesAndWhatIsRefused)
{
    const QString again = "ファイルをフォルダに戻すか、別のファイルを選び直してください。";
    const std::pair<std::function<bool(Module1&)>, QString> cases[] = {
        {[](Module1& m) { return Remove(m, "LISTDATA.PLD") && Remove(m, "絵.gif"); }, "リストデータ(LISTDATA.PLD)がありません。\nグラフィックファイル「絵.gif」がありません（2番の項目「次」の2番のイベントで使用）。" + again},
        {[](Module1& m) { return Remove(m, "2.pev") && Name(m, Module1::kStartGraphicRow, 1, "表紙:.bmp") && Add(m, "表紙:.bmp"); }, "2番の項目「次」：イベントファイル「2.pev」がありません。項目を削除して作り直してください。\n「表紙:.bmp」（スタートグラフィックで使用）：「:」は Windows のファイル名に使えない文字です。名前を変えてから、選び直してください。"},
        {[](Module1& m) { return Add(m, "写真.JPG") && MoveTo(m, "😀"); }, "フォルダ「😀」：「😀」は日本語版の Windows で名前に使えない文字です。フォルダの名前を変えてください。\n「写真.jpg」と「写真.JPG」は大文字と小文字の違いしかなく、Windows では同じ名前になります。どちらかの名前を変えてから、選び直してください。"},
        {[](Module1& m) { return Name(m, 2, 2, "絵.gif"); }, "2番の項目「次」：イベントファイル名「絵.gif」が正しくありません。項目を削除して作り直してください。"},
    };
    for (const auto& [change, problem] : cases) {
        QTemporaryDir root;
        const std::unique_ptr<Module1> m = MakeShow(root);
        ASSERT_TRUE(change(*m)) << problem.toStdString();
        EXPECT_EQ(ShowFiles::Collect(*m).problems.join('\n').toStdString(), problem.toStdString());
    }
    QTemporaryDir root;
    const std::unique_ptr<Module1> m = MakeShow(root);
    const ShowFiles::Plan plan = ShowFiles::Collect(*m);
    QStringList listed;
    for (const ShowFiles::File& f : plan.files) listed << QString::number(int(f.kind)) + ' ' + f.name;
    EXPECT_EQ(listed.join('|').toStdString(), "0 LISTDATA.PLD|1 1.pev|1 2.pev|2 表紙.bmp|2 写真.jpg|3 音.wav|2 絵.gif");
    ASSERT_TRUE(Remove(*m, "LISTDATA.PLD"));
    EXPECT_EQ(ShowFiles::Collect(*m, QByteArray("list")).problems, QStringList());
}

TEST(ProjectFiles, WindowsNameProblem)
{
    const QString device = "は Windows が装置の名前として使うため、ファイル名にできません。";
    const std::pair<QString, QString> cases[] = {
        {"Aux .jpg", "「Aux」" + device},
        {"tab\t.jpg", "名前に制御文字が入っていて、Windows では使えません。"},
        {"end ", "名前の終わりが「.」か空白で、Windows では使えません。"},
        {QString(256, 'a'), "名前が長すぎて（256 文字）、Windows では使えません（255 文字まで）。"},
        {QString(255, 'a'), ""},
        {"CONSOLE.jpg", ""},
    };
    for (const auto& [name, problem] : cases) EXPECT_EQ(ProjectFiles::WindowsNameProblem(name), problem) << name.toStdString();
}

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
        {"../紹介/show.zip", {}, {}, "zip ファイルは、ショーのフォルダ「紹介」の中には作れません。フォルダの外の場所を選んでください。"},
        {"show.zip", [](Module1& m) { Remove(m, "音.wav"); }, {}, Records::ReadFailedMessage("音.wav")},
        {"show.zip", {}, [](qint64 done, qint64) { return done < 100; }, "まとめるのを中止しました。zip ファイルは作っていません。"},
        {"show.zip", [&](Module1&) { SaveFile::SetFaultHook(fault); }, {}, Records::SaveFailedMessage("show.zip")},
    };
    for (const auto& c : cases) {
        QTemporaryDir root;
        const std::unique_ptr<Module1> m = MakeShow(root);
        ASSERT_TRUE(QDir(root.path()).mkdir("out"));
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
