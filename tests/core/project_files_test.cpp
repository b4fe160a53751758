#include "core/ProjectFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

// Readable QString values in failure messages.
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
void PrintTo(const QStringList& l, std::ostream* os) { *os << l.join(u'|').toStdString(); }

namespace {

class ProjectFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root_.isValid());
        ASSERT_TRUE(QDir(root_.path()).mkdir(QStringLiteral("proj")));
        folder_ = root_.filePath(QStringLiteral("proj"));
    }

    void MakeFile(const QString& name, const QString& in = {})
    {
        QFile f(QDir(in.isEmpty() ? folder_ : in).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << name.toStdString();
        f.write("x");
    }
    void MakeFolder(const QString& name) { ASSERT_TRUE(QDir(folder_).mkdir(name)); }

    QTemporaryDir root_;
    QString folder_;
};

TEST_F(ProjectFilesTest, FindFileNoCasePrefersExactMatch)
{
    MakeFile(QStringLiteral("listdata.pld"));
    MakeFile(QStringLiteral("LISTDATA.PLD"));
    EXPECT_EQ(ProjectFiles::FindFileNoCase(folder_, QStringLiteral("listdata.pld")),
              QStringLiteral("listdata.pld"));
    EXPECT_EQ(ProjectFiles::FindFileNoCase(folder_, QStringLiteral("LISTDATA.PLD")),
              QStringLiteral("LISTDATA.PLD"));
    // Neither exact: the choice must not depend on the directory order.
    EXPECT_EQ(ProjectFiles::FindFileNoCase(folder_, QStringLiteral("ListData.Pld")),
              QStringLiteral("LISTDATA.PLD"));
}

TEST_F(ProjectFilesTest, FindFileNoCaseIgnoresCaseAndSkipsFolders)
{
    MakeFile(QStringLiteral("ListData.Pld"));
    MakeFile(QStringLiteral("画像Ａ.JPG"));
    MakeFolder(QStringLiteral("1.pev"));
    MakeFolder(QStringLiteral("2.PEV"));
    MakeFile(QStringLiteral("2.pev"), folder_ + QStringLiteral("/2.PEV"));
    EXPECT_EQ(ProjectFiles::FindFileNoCase(folder_, QStringLiteral("LISTDATA.PLD")),
              QStringLiteral("ListData.Pld"));
    EXPECT_EQ(ProjectFiles::FindFileNoCase(folder_, QStringLiteral("画像Ａ.jpg")),
              QStringLiteral("画像Ａ.JPG"));
    EXPECT_EQ(ProjectFiles::FindFileNoCase(folder_, QStringLiteral("1.pev")), QString());
    EXPECT_EQ(ProjectFiles::FindFileNoCase(folder_, QStringLiteral("2.pev")), QString());
    EXPECT_EQ(ProjectFiles::FindFileNoCase(folder_, QStringLiteral("3.pev")), QString());
    EXPECT_EQ(ProjectFiles::FindFileNoCase(root_.filePath(QStringLiteral("gone")),
                                           QStringLiteral("LISTDATA.PLD")),
              QString());
}

TEST_F(ProjectFilesTest, FindFileNoCaseRejectsNamesOutsideTheFolder)
{
    // Each of these names reaches an existing file, or is one, when used as a path.
    MakeFile(QStringLiteral("x"), root_.path());
    MakeFolder(QStringLiteral("a"));
    MakeFile(QStringLiteral("b"), folder_ + QStringLiteral("/a"));
    MakeFile(QStringLiteral("a\\b"));
    for (const QString& name : {QStringLiteral("../x"), QStringLiteral("a/b"),
                                QStringLiteral("A/B"), QStringLiteral("a\\b"),
                                QStringLiteral("."), QStringLiteral(".."), QString()}) {
        EXPECT_EQ(ProjectFiles::FindFileNoCase(folder_, name), QString()) << name.toStdString();
        EXPECT_FALSE(ProjectFiles::IsPlainFileName(name)) << name.toStdString();
    }
    EXPECT_TRUE(ProjectFiles::IsPlainFileName(QStringLiteral("1.pev")));
    EXPECT_TRUE(ProjectFiles::IsPlainFileName(QStringLiteral("..a")));
}

TEST_F(ProjectFilesTest, AnyFileMatchesIgnoresCaseFoldersAndHiddenFiles)
{
    EXPECT_FALSE(ProjectFiles::AnyFileMatches(folder_, QStringLiteral("*.*")));
    MakeFolder(QStringLiteral("x.jpg"));
    MakeFile(QStringLiteral(".x.jpg"));
    EXPECT_FALSE(ProjectFiles::AnyFileMatches(folder_, QStringLiteral("*.jpg")));
    EXPECT_FALSE(ProjectFiles::AnyFileMatches(folder_, QStringLiteral("*.*")));

    MakeFile(QStringLiteral("PHOTO.JPG"));
    EXPECT_TRUE(ProjectFiles::AnyFileMatches(folder_, QStringLiteral("*.jpg")));
    EXPECT_TRUE(ProjectFiles::AnyFileMatches(folder_, QStringLiteral("photo.jp?")));
    EXPECT_FALSE(ProjectFiles::AnyFileMatches(folder_, QStringLiteral("*.jp")));
    EXPECT_FALSE(ProjectFiles::AnyFileMatches(folder_, QStringLiteral("*.gif")));
    EXPECT_FALSE(ProjectFiles::AnyFileMatches(folder_, QStringLiteral("hoto.jpg")));

    MakeFile(QStringLiteral("README"));
    EXPECT_TRUE(ProjectFiles::AnyFileMatches(folder_, QStringLiteral("read*")));
    EXPECT_FALSE(ProjectFiles::AnyFileMatches(folder_, QStringLiteral("*.wav")));
    EXPECT_TRUE(ProjectFiles::AnyFileMatches(folder_, QStringLiteral("*.*")));  // no dot needed
    EXPECT_FALSE(ProjectFiles::AnyFileMatches(root_.filePath(QStringLiteral("gone")),
                                              QStringLiteral("*.*")));
}

TEST_F(ProjectFilesTest, ListFilesSplitsPatternsAndSortsIgnoringCase)
{
    for (const char* name : {"b.gif", "A.jpg", "c.BMP", "a.gif", "d.wav", ".e.gif", "f.gifx"})
        MakeFile(QString::fromUtf8(name));
    MakeFolder(QStringLiteral("g.jpg"));
    EXPECT_EQ(ProjectFiles::ListFiles(folder_, QStringLiteral("*.gif;*.jpg;*.bmp")),
              QStringList({"a.gif", "A.jpg", "b.gif", "c.BMP"}));
    // A file that two patterns match is listed once.
    EXPECT_EQ(ProjectFiles::ListFiles(folder_, QStringLiteral("*.GIF;b*")),
              QStringList({"a.gif", "b.gif"}));
    EXPECT_EQ(ProjectFiles::ListFiles(folder_, QStringLiteral("*.wav")), QStringList({"d.wav"}));
    EXPECT_EQ(ProjectFiles::ListFiles(folder_, QStringLiteral("*.mid")), QStringList());
    EXPECT_EQ(ProjectFiles::ListFiles(folder_, QString()), QStringList());
}

}  // namespace
