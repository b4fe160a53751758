#include "core/ProjectFiles.h"
#include "core/SaveFile.h"
#include "support/Bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// A project folder root/proj holding `files` ("a/b" inside folder a) and
// `folders`, with the file root/x beside it.
class ProjectFilesTest : public ::testing::Test {
protected:
    void Make(const QStringList& files, const QStringList& folders = {})
    {
        for (const QString& f : folders + QStringList{"."}) ASSERT_TRUE(QDir(folder).mkpath(f));
        for (const QString& f : files + QStringList{"../x"}) ASSERT_TRUE(QFile(folder + '/' + f).open(QIODevice::WriteOnly));
    }
    QTemporaryDir root;
    const QString folder = root.filePath("proj");
};

// Any letter case, an exact match first and otherwise the first in code
// order; never a folder, nor a name that reaches outside the folder.
TEST_F(ProjectFilesTest, FindFileNoCase)
{
    Make({"listdata.pld", "LISTDATA.PLD", "画像Ａ.JPG", "2.PEV/2.pev", "a/b", "a\\b"}, {"1.pev", "2.PEV", "a"});
    const std::pair<const char*, const char*> cases[] = {
        {"listdata.pld", "listdata.pld"},
        {"ListData.Pld", "LISTDATA.PLD"},
        {"画像Ａ.jpg", "画像Ａ.JPG"},
        {"1.pev", ""},
        {"2.pev", ""},
    };
    for (const auto& [name, found] : cases) EXPECT_EQ(ProjectFiles::FindFileNoCase(folder, name), found) << name;
    // Each of these reaches an existing file, or is one, when used as a path.
    for (const char* name : {"../x", "a/b", "A/B", "a\\b", ".", "..", ""}) {
        EXPECT_EQ(ProjectFiles::FindFileNoCase(folder, name), "") << name;
        EXPECT_FALSE(ProjectFiles::IsPlainFileName(name)) << name;
    }
    EXPECT_TRUE(ProjectFiles::IsPlainFileName("..a"));
    EXPECT_EQ(ProjectFiles::FindFileNoCase(root.filePath("gone"), "LISTDATA.PLD"), "");
}

// Ordinary, non-hidden files whose whole name matches, any letter case; "*.*"
// also matches names without a dot; ListFiles sorts and lists a file once.
TEST_F(ProjectFilesTest, AnyFileMatchesAndListFiles)
{
    Make({"b.gif", "A.jpg", "c.BMP", "a.gif", "d.wav", ".e.gif", "f.gifx", "README"}, {"g.jpg"});
    const std::pair<const char*, const char*> cases[] = {
        {"*.gif;*.jpg;*.bmp", "a.gif A.jpg b.gif c.BMP"},
        {"*.GIF;b*", "a.gif b.gif"},
        {"*.*", "a.gif A.jpg b.gif c.BMP d.wav f.gifx README"},
        {"a.jp?", "A.jpg"},
        {"*.gi", ""},
        {"g.*", ""},
        {".e*", ""},
        {"", ""},
    };
    for (const auto& [pattern, listed] : cases) {
        EXPECT_EQ(ProjectFiles::ListFiles(folder, pattern).join(' '), listed) << pattern;
        if (QString(pattern).contains(';')) continue;
        EXPECT_EQ(ProjectFiles::AnyFileMatches(folder, pattern), *listed != 0) << pattern;
    }
    EXPECT_FALSE(ProjectFiles::AnyFileMatches(root.filePath("gone"), "*.*"));
}

}  // namespace

// Only an ordinary file is read, whole, up to the limit; a pipe with no
// writer, a device, a folder or a larger file is refused at once.
TEST(ReadAll, OrdinaryFilesOnlyAndNeverCut)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath("pipe");
    const QString file = dir.filePath("file");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ASSERT_TRUE(Bytes::Write(file, QByteArray(5000, 'x')));
    QByteArray bytes = "old";
    for (const QString& path : {pipe, QString("/dev/zero"), dir.path(), file}) {
        EXPECT_FALSE(SaveFile::ReadAll(path, bytes, 4999)) << path.toStdString();
        EXPECT_TRUE(bytes.isEmpty());
    }
    EXPECT_TRUE(SaveFile::ReadAll(file, bytes, 5000));
    EXPECT_EQ(bytes, QByteArray(5000, 'x'));
}
