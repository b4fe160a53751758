// Files whose names came back from Windows as CP932 bytes: which are found,
// and renaming them never takes a name that is there.

#include "core/EventKinds.h"
#include "core/ForeignNames.h"
#include "support/Shows.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

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
