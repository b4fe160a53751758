// Files whose names came back from Windows as CP932 bytes: which are found,
// and renaming them never takes a name that is there.

#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/ForeignNames.h"
#include "core/ListDataFile.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

using Bytes::Hex;

// CP932 bytes written out by hand.
const QByteArray kPhoto = Hex("8eca905e") + ".jpg";      // 写真.jpg
const QByteArray kSound = Hex("835c89b9") + ".wav";      // ソ音.wav
const QByteArray kCover = Hex("955c8e86") + ".bmp";      // 表紙.bmp
const QByteArray kUnused = Hex("96b38ad68c57") + ".txt"; // 無関係.txt

// A folder whose list names 1.pev, which shows 写真.jpg and ﾃｽ.jpg, plays
// ソ音.wav and 絵.gif, with the start graphic 表紙.bmp.
struct Folder {
    QTemporaryDir dir;
    QByteArray raw = QFile::encodeName(dir.path()) + '/';

    Folder()
    {
        auto m = std::make_unique<Module1>();
        m->PrepareNewList();
        m->ProjectFolder = dir.path();
        m->ListTable[1][1] = QStringLiteral("一");
        m->ListTable[1][2] = QStringLiteral("1.pev");
        m->ListTable[Module1::kStartGraphicRow][1] = QStringLiteral("表紙.BMP");
        m->EventTable[1][0] = EventKinds::kPicture;
        m->EventTable[1][1] = QStringLiteral("写真.jpg");
        m->EventTable[2][0] = EventKinds::kWavOnce;
        m->EventTable[2][1] = QStringLiteral("ソ音.wav");
        m->EventTable[3][0] = EventKinds::kWavLoop;
        m->EventTable[3][1] = QStringLiteral("絵.gif");
        m->EventTable[4][0] = EventKinds::kPicture;
        m->EventTable[4][1] = QStringLiteral("ﾃｽ.jpg");  // CP932 C3 BD, as UTF-8 "ý"
        EXPECT_TRUE(ListDataFile::Write(*m).ok);
        EXPECT_TRUE(EventFile::Write(dir.path(), "1.pev", m->EventTable).ok);
    }
    bool Write(const QByteArray& name, const QByteArray& bytes)
    {
        const int fd = ::open((raw + name).constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        const bool ok = fd >= 0 && ::write(fd, bytes.constData(), bytes.size()) == bytes.size();
        return ::close(fd) == 0 && ok;
    }
    QByteArray Read(const QByteArray& name) const
    {
        QByteArray bytes(64, '\0');
        const int fd = ::open((raw + name).constData(), O_RDONLY);
        const ssize_t n = fd < 0 ? -1 : ::read(fd, bytes.data(), bytes.size());
        if (fd >= 0) ::close(fd);
        return n < 0 ? QByteArray("<missing>") : bytes.left(n);
    }
};

QString Proper(const QList<ForeignNames::Misnamed>& found)
{
    QStringList names;
    for (const ForeignNames::Misnamed& f : found) names << f.proper;
    return names.join('|');
}

}  // namespace

// Only ordinary files that are not UTF-8, are CP932 and give a name the show
// uses but the folder lacks; a link, an unused name, bytes that are not CP932,
// a name the folder has already and a UTF-8 name are left.
TEST(ForeignNames, FindsOnlyWhatTheShowMisses)
{
    Folder f;
    ASSERT_TRUE(f.Write(kPhoto, "photo"));
    ASSERT_TRUE(f.Write(kCover, "cover"));
    ASSERT_TRUE(f.Write(kUnused, "unused"));
    ASSERT_TRUE(f.Write("\xff\xfe.jpg", "not cp932"));
    ASSERT_EQ(::symlink((f.raw + kPhoto).constData(), (f.raw + kSound).constData()), 0);
    ASSERT_TRUE(f.Write(Hex("8a47") + ".gif", "a second 絵.gif"));
    ASSERT_TRUE(f.Write("絵.GIF", "the folder has it"));
    ASSERT_TRUE(f.Write("ý.jpg", "a UTF-8 name"));
    EXPECT_EQ(Proper(ForeignNames::Find(f.dir.path())).toStdString(), "写真.jpg|表紙.bmp");

    ASSERT_TRUE(QFile::remove(f.dir.filePath(ListDataFile::kFileName)));
    EXPECT_TRUE(ForeignNames::Find(f.dir.path()).isEmpty());
}

// Renamed with the bytes kept; a name taken meanwhile is never replaced and
// the file stays as it was; a file gone meanwhile is told too.
TEST(ForeignNames, RenamesWithoutReplacing)
{
    Folder f;
    ASSERT_TRUE(f.Write(kPhoto, "photo"));
    ASSERT_TRUE(f.Write(kCover, "cover"));
    ASSERT_TRUE(f.Write(kSound, "sound"));
    const QList<ForeignNames::Misnamed> found = ForeignNames::Find(f.dir.path());
    ASSERT_EQ(Proper(found).toStdString(), "ソ音.wav|写真.jpg|表紙.bmp");
    ASSERT_TRUE(f.Write("表紙.bmp", "taken meanwhile"));
    ASSERT_EQ(::unlink((f.raw + kSound).constData()), 0);

    const QStringList failed = ForeignNames::Rename(f.dir.path(), found);
    EXPECT_EQ(failed.join('\n').toStdString(),
              "「ソ音.wav」に名前を直せませんでした。同じ名前のものがないか、フォルダに書き込めるかを確かめてください。\n"
              "「表紙.bmp」に名前を直せませんでした。同じ名前のものがないか、フォルダに書き込めるかを確かめてください。");
    EXPECT_EQ(f.Read("写真.jpg"), "photo");
    EXPECT_EQ(f.Read(kPhoto), "<missing>");
    EXPECT_EQ(f.Read("表紙.bmp"), "taken meanwhile");
    EXPECT_EQ(f.Read(kCover), "cover");
    EXPECT_EQ(f.Read("ソ音.wav"), "<missing>");
}
