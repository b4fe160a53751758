// Which files a show uses and what keeps a copy of it from working on
// Windows; the Windows file-name rule on its own.

#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/ListDataFile.h"
#include "core/ProjectFiles.h"
#include "core/ShowFiles.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using namespace EventKinds;

// A show in the folder "紹介" with two items, a start graphic and a file that
// no item uses.
struct Show {
    QTemporaryDir root;
    std::unique_ptr<Module1> m = std::make_unique<Module1>();

    Show()
    {
        m->PrepareNewList();
        m->ProjectFolder = root.filePath(QStringLiteral("紹介"));
        QDir().mkpath(m->ProjectFolder);
        for (const char* name : {"写真.jpg", "音.wav", "絵.gif", "表紙.bmp", "未使用.jpg", "3.pev", "LISTDATA.PLD"})
            Bytes::Write(m->ProjectPath(QString::fromUtf8(name)), "x");
        m->ListTable[Module1::kStartGraphicRow][1] = QStringLiteral("表紙.BMP");
        Item(1, QStringLiteral("はじめに"), {{kPicture, "写真.jpg"}, {kWavLoop, "音.WAV"}, {kPicture, "写真.jpg"}, {kPicture, ""}});
        Item(2, QStringLiteral("次"), {{kText, "絵.gif"}, {kPicture, "絵.gif"}, {kWavOnce, "音.wav"}});
    }
    void Item(int row, const QString& name, const QList<QStringList>& events)
    {
        m->ListTable[row][1] = name;
        m->ListTable[row][2] = QStringLiteral("%1.pev").arg(row);
        auto rows = std::make_unique<EventRows>();
        for (int i = 0; i < events.size(); ++i) {
            (*rows)[i + 1][0] = events[i][0];
            (*rows)[i + 1][1] = events[i][1];
        }
        ASSERT_TRUE(EventFile::Write(m->ProjectFolder, m->ListTable[row][2], *rows).ok);
    }
    bool Remove(const char* name) { return QFile::remove(m->ProjectPath(QString::fromUtf8(name))); }
    bool Add(const char* name) { return Bytes::Write(m->ProjectPath(QString::fromUtf8(name)), "y"); }
    bool MoveTo(const char* folder)
    {
        const QString moved = root.filePath(QString::fromUtf8(folder));
        if (!QDir().rename(m->ProjectFolder, moved)) return false;
        m->ProjectFolder = moved;
        return true;
    }
};

QString Listed(const ShowFiles::Plan& plan)
{
    QStringList out;
    for (const ShowFiles::File& f : plan.files) out << QString::number(int(f.kind)) + ' ' + f.name;
    return out.join('|');
}

}  // namespace

// Each file once by its name on disk, in order: list data, event files, then
// the start graphic and the media of the events; only named events count.
TEST(ShowFiles, ListsWhatTheShowUses)
{
    Show show;
    const ShowFiles::Plan plan = ShowFiles::Collect(*show.m);
    EXPECT_EQ(plan.problems.join('\n').toStdString(), "");
    EXPECT_EQ(plan.topFolder, QStringLiteral("紹介"));
    EXPECT_EQ(Listed(plan).toStdString(), "0 LISTDATA.PLD|1 1.pev|1 2.pev|2 表紙.bmp|2 写真.jpg|3 音.wav|2 絵.gif");
    EXPECT_FALSE(plan.listData.has_value());
}

// Each problem once, in the user's words; with the list given, no list data
// file is needed.
TEST(ShowFiles, Refusals)
{
    const struct {
        std::function<bool(Show&)> change;
        const char* problem;
    } cases[] = {
        {[](Show& s) { return s.Remove("絵.gif"); },
         "グラフィックファイル「絵.gif」がありません（2番の項目「次」の2番のイベントで使用）。ファイルをフォルダに戻すか、別のファイルを選び直してください。"},
        {[](Show& s) { return s.Remove("音.wav"); },
         "Wavファイル「音.WAV」がありません（1番の項目「はじめに」の2番のイベントで使用）。ファイルをフォルダに戻すか、別のファイルを選び直してください。"},
        {[](Show& s) { return s.Remove("2.pev"); },
         "2番の項目「次」：イベントファイル「2.pev」がありません。項目を削除して作り直してください。"},
        {[](Show& s) { return s.Remove("LISTDATA.PLD"); }, "リストデータ(LISTDATA.PLD)がありません。"},
        {[](Show& s) {
             s.m->ListTable[2][2] = "絵.gif";
             return true;
         },
         "2番の項目「次」：イベントファイル名「絵.gif」が正しくありません。項目を削除して作り直してください。"},
        {[](Show& s) {
             s.m->ListTable[Module1::kStartGraphicRow][1] = "CON .bmp";
             return s.Add("con .BMP");
         },
         "「con .BMP」（スタートグラフィックで使用）：「con」は Windows が装置の名前として使うため、ファイル名にできません。名前を変えてから、選び直してください。"},
        {[](Show& s) {
             s.Item(2, "次", {{kPicture, "写真.JPG"}});
             return s.Add("写真.JPG");
         },
         "「写真.jpg」と「写真.JPG」は大文字と小文字の違いしかなく、Windows では同じ名前になります。どちらかの名前を変えてから、選び直してください。"},
        {[](Show& s) {
             s.Item(2, "次", {{kWavOnce, "a:b.wav"}});
             return s.Add("a:b.wav");
         },
         "「a:b.wav」（2番の項目「次」の1番のイベントで使用）：「:」は Windows のファイル名に使えない文字です。名前を変えてから、選び直してください。"},
        {[](Show& s) { return s.MoveTo("show?"); },
         "フォルダ「show?」：「?」は Windows のファイル名に使えない文字です。フォルダの名前を変えてください。"},
        {[](Show& s) { return s.MoveTo("😀"); },
         "フォルダ「😀」：「😀」は日本語版の Windows で名前に使えない文字です。フォルダの名前を変えてください。"},
    };
    for (const auto& c : cases) {
        Show show;
        ASSERT_TRUE(c.change(show)) << c.problem;
        EXPECT_EQ(ShowFiles::Collect(*show.m).problems.join('\n').toStdString(), c.problem);
    }
    Show show;
    ASSERT_TRUE(show.Remove("LISTDATA.PLD"));
    const ShowFiles::Plan plan = ShowFiles::Collect(*show.m, QByteArray("list"));
    EXPECT_EQ(plan.problems, QStringList());
    EXPECT_EQ(plan.files[0].name, ListDataFile::kFileName);
    EXPECT_EQ(*plan.listData, "list");
}

TEST(ProjectFiles, WindowsNameProblem)
{
    const std::pair<QString, QString> cases[] = {
        {"CON", "「CON」は Windows が装置の名前として使うため、ファイル名にできません。"},
        {"nul.tar.gz", "「nul」は Windows が装置の名前として使うため、ファイル名にできません。"},
        {"Aux .jpg", "「Aux」は Windows が装置の名前として使うため、ファイル名にできません。"},
        {"com1.wav", "「com1」は Windows が装置の名前として使うため、ファイル名にできません。"},
        {"LPT9", "「LPT9」は Windows が装置の名前として使うため、ファイル名にできません。"},
        {"prn.", "「prn」は Windows が装置の名前として使うため、ファイル名にできません。"},
        {"a<b", "「<」は Windows のファイル名に使えない文字です。"},
        {"a>b", "「>」は Windows のファイル名に使えない文字です。"},
        {"\"x\"", "「\"」は Windows のファイル名に使えない文字です。"},
        {"a\\b", "「\\」は Windows のファイル名に使えない文字です。"},
        {"a|b", "「|」は Windows のファイル名に使えない文字です。"},
        {"a*", "「*」は Windows のファイル名に使えない文字です。"},
        {"tab\t.jpg", "名前に制御文字が入っていて、Windows では使えません。"},
        {"end.", "名前の終わりが「.」か空白で、Windows では使えません。"},
        {"end ", "名前の終わりが「.」か空白で、Windows では使えません。"},
        {QString(256, 'a'), "名前が長すぎて（256 文字）、Windows では使えません（255 文字まで）。"},
        {QString(255, 'a'), ""},
        {"CONSOLE.jpg", ""},
        {"COM0.jpg", ""},
        {"LPT10", ""},
        {"my con.jpg", ""},
        {".hidden", ""},
        {"写真 1.jpg", ""},
    };
    for (const auto& [name, problem] : cases) EXPECT_EQ(ProjectFiles::WindowsNameProblem(name), problem) << name.toStdString();
}
