// Files of the project folder: found in any letter case, listed by pattern,
// read whole; and names that came back from Windows as CP932 bytes.

#include "core/EventKinds.h"
#include "core/ForeignNames.h"
#include "core/ProjectFiles.h"
#include "core/SaveFile.h"
#include "support/Shows.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Found in any letter case, an exact match first and otherwise the first in
// code order; never a folder, nor a name that reaches outside the folder.
// Listed by pattern: ordinary, non-hidden files whose whole name matches, in
// any letter case ("*.*" also names without a dot), sorted, each once. Read:
// only an ordinary file, whole, up to the limit; a pipe with no writer, a
// device, a folder or a larger file is refused at once.
TEST(ProjectFiles, FoundListedAndRead)
{
    QTemporaryDir root;
    const QString folder = root.filePath("proj");
    for (const char* sub : {"1.pev", "2.PEV", "a", "g.jpg"}) ASSERT_TRUE(QDir(folder).mkpath(sub));
    for (const char* name : {"listdata.pld", "LISTDATA.PLD", "画像Ａ.JPG", "2.PEV/2.pev", "a/b", "a\\b", "b.gif", "A.jpg", "c.BMP", ".e.gif", "../x"})
        ASSERT_TRUE(Bytes::Write(folder + '/' + name, ""));
    ASSERT_TRUE(Bytes::Write(folder + "/f.gifx", QByteArray(5000, 'x')));
    ASSERT_EQ(mkfifo(QFile::encodeName(folder + "/pipe").constData(), 0600), 0);
    const std::pair<const char*, const char*> found[] = {
        {"listdata.pld", "listdata.pld"},
        {"ListData.Pld", "LISTDATA.PLD"},
        {"画像Ａ.jpg", "画像Ａ.JPG"},
        {"1.pev", ""},
        {"2.pev", ""},
    };
    for (const auto& [name, actual] : found) EXPECT_EQ(ProjectFiles::FindFileNoCase(folder, name), actual) << name;
    // Each of these reaches an existing file, or is one, when used as a path.
    for (const char* name : {"../x", "a/b", "A/B", "a\\b", ".", "..", ""}) {
        EXPECT_EQ(ProjectFiles::FindFileNoCase(folder, name), "") << name;
        EXPECT_FALSE(ProjectFiles::IsPlainFileName(name)) << name;
    }
    EXPECT_TRUE(ProjectFiles::IsPlainFileName("..a"));

    const std::pair<const char*, const char*> listed[] = {
        {"*.gif;*.jpg;*.bmp", "A.jpg b.gif c.BMP 画像Ａ.JPG"},
        {"*.GIF;b*", "b.gif"},
        {"*.*", "A.jpg a\\b b.gif c.BMP f.gifx LISTDATA.PLD listdata.pld 画像Ａ.JPG"},
        {"*.gi", ""},
        {"", ""},
    };
    for (const auto& [pattern, names] : listed) {
        EXPECT_EQ(ProjectFiles::ListFiles(folder, pattern).join(' ').toStdString(), names) << pattern;
        if (QString(pattern).contains(';')) continue;
        EXPECT_EQ(ProjectFiles::AnyFileMatches(folder, pattern), *names != 0) << pattern;
    }

    QByteArray bytes = "old";
    for (const QString& path : {folder + "/pipe", QString("/dev/zero"), folder, folder + "/f.gifx"}) {
        EXPECT_FALSE(SaveFile::ReadAll(path, bytes, 4999)) << path.toStdString();
        EXPECT_TRUE(bytes.isEmpty());
    }
    EXPECT_TRUE(SaveFile::ReadAll(folder + "/f.gifx", bytes, 5000));
    EXPECT_EQ(bytes, QByteArray(5000, 'x'));
}

namespace {

using Bytes::Hex;
using namespace EventKinds;

// A file of `folder` named by its bytes: written, read ("<missing>").
bool WriteRaw(const QString& folder, const QByteArray& name, const QByteArray& bytes)
{
    const int fd = ::open(QFile::encodeName(folder) + '/' + name, O_WRONLY | O_CREAT | O_EXCL, 0644);
    const bool ok = fd >= 0 && ::write(fd, bytes.constData(), bytes.size()) == bytes.size();
    return ::close(fd) == 0 && ok;
}
QByteArray ReadRaw(const QString& folder, const QByteArray& name)
{
    QFile f;
    const int fd = ::open(QFile::encodeName(folder) + '/' + name, O_RDONLY);
    return fd >= 0 && f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle) ? f.readAll() : "<missing>";
}

}  // namespace

// Found: ordinary files whose names are not UTF-8 but CP932 for a name the
// show uses and the folder lacks (written out by hand: 写真.jpg, 表紙.bmp).
// Left: a link, an unused name, bytes that are not CP932, a name the folder
// has, a UTF-8 name that also reads as CP932 (ý as ﾃｽ). A rename never takes
// a name that was taken meanwhile.
TEST(ForeignNames, FindAndRename)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    Shows::Make(folder, {{"一", {{kPicture, "写真.jpg"}, {kPicture, "ﾃｽ.jpg"}, {kWavOnce, "ソ音.wav"}, {kWavLoop, "絵.gif"}}}},
                "表紙.BMP", {"絵.GIF", "ý.jpg"});
    const QByteArray photo = Hex("8eca905e") + ".jpg";
    const QByteArray cover = Hex("955c8e86") + ".bmp";
    for (const QByteArray& name : {photo, cover, Hex("96b38ad68c57") + ".txt", QByteArray("\xff\xfe.jpg"), Hex("8a47") + ".gif"})
        ASSERT_TRUE(WriteRaw(folder, name, name));
    ASSERT_EQ(::symlink(photo.constData(), QFile::encodeName(folder) + '/' + Hex("835c89b9") + ".wav"), 0);

    const QList<ForeignNames::Misnamed> found = ForeignNames::Find(folder);
    QStringList names;
    for (const ForeignNames::Misnamed& f : found) names << f.proper;
    EXPECT_EQ(names.join('|').toStdString(), "写真.jpg|表紙.bmp");

    ASSERT_TRUE(WriteRaw(folder, "表紙.bmp", "taken meanwhile"));
    EXPECT_EQ(ForeignNames::Rename(folder, found).join('\n').toStdString(),
              "「表紙.bmp」に名前を直せませんでした。同じ名前のものがないか、フォルダに書き込めるかを確かめてください。");
    EXPECT_EQ(ReadRaw(folder, "写真.jpg"), photo);
    EXPECT_EQ(ReadRaw(folder, photo), "<missing>");
    EXPECT_EQ(ReadRaw(folder, "表紙.bmp"), "taken meanwhile");
    EXPECT_EQ(ReadRaw(folder, cover), cover);
}
