// What the check finds on a folder made for the player's Windows PC: a clean
// show first, then one file of each kind that Windows or the player's older
// decoders cannot take, each found once and in the order of the findings.
// The pictures are real, made here with Qt's own writers, and decoded by the
// program's own decoder.

#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/ShowCheck.h"
#include "forms/Picture.h"
#include "support/Bytes.h"
#include "support/Pictures.h"

#include <gtest/gtest.h>

#include <QImage>

#include <memory>

namespace {

using Pictures::Encoded;

using namespace EventKinds;

QImage Photo()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(QColor(200, 120, 40));
    return image;
}

// A baseline JPEG with an EXIF block that says "turn it to the right to see it
// upright" (orientation 6), as a phone stores a photograph taken upright.
QByteArray SidewaysJpeg()
{
    const QByteArray tiff = Bytes::Hex("4D4D002A00000008 0001 0112000300000001 00060000 00000000");
    const QByteArray exif = QByteArray("Exif\0\0", 6) + tiff;
    const QByteArray app1 = Bytes::Hex("FFE1") + char((exif.size() + 2) >> 8) + char((exif.size() + 2) & 0xFF) + exif;
    const QByteArray jpeg = Encoded(Photo(), "jpg");
    return jpeg.left(2) + app1 + jpeg.mid(2);
}

// A 2 x 2 BMP of 32 bits per pixel, which Qt reads but does not write.
QByteArray DeepBmp()
{
    const QByteArray pixels(2 * 2 * 4, char(0x80));
    const QByteArray info = Bytes::Le(40, 4) + Bytes::Le(2, 4) + Bytes::Le(2, 4) + Bytes::Le(1, 2) + Bytes::Le(32, 2) + Bytes::Le(0, 4) + Bytes::Le(pixels.size(), 4) + QByteArray(16, '\0');
    return "BM" + Bytes::Le(14 + info.size() + pixels.size(), 4) + Bytes::Le(0, 4) + Bytes::Le(14 + info.size(), 4) + info + pixels;
}

struct Show {
    QTemporaryDir dir;
    std::unique_ptr<Module1> m = std::make_unique<Module1>();

    Show()
    {
        m->PrepareNewList();
        m->ProjectFolder = dir.path();
        m->ListTable[Module1::kStartGraphicRow][1] = QStringLiteral("タイトル.bmp");
    }
    void Add(const QString& name, const QByteArray& bytes) { ASSERT_TRUE(Bytes::Write(dir.filePath(name), bytes)); }
    // Item `row` named `name`, showing each picture of `pictures` in turn.
    void Item(int row, const QString& name, const QStringList& pictures)
    {
        m->ListTable[row][1] = name;
        m->ListTable[row][2] = QStringLiteral("%1.pev").arg(row);
        EventRows rows{};
        rows[1] = {kText, QStringLiteral("ようこそ")};
        for (int i = 0; i < pictures.size(); ++i) rows[i + 2] = {kPicture, pictures[i]};
        rows[pictures.size() + 2] = {kWavOnce, QStringLiteral("音楽.wav")};
        ASSERT_TRUE(EventFile::Write(dir.path(), m->ListTable[row][2], rows).ok);
    }
    // One line a finding: its kind, its row and its file.
    std::string Found() const
    {
        QStringList found;
        for (const ShowCheck::Finding& f : ShowCheck::Check(*m, Picture::CanDecode)) found << QStringLiteral("%1 %2 %3").arg(int(f.problem)).arg(f.eventRow).arg(f.file);
        return found.join('\n').toStdString();
    }
};

}  // namespace

TEST(WindowsFindings, CleanShowThenOneOfEachKindFoundOnceInOrder)
{
    Show show;
    show.Add(QStringLiteral("タイトル.bmp"), Encoded(Photo(), "bmp"));
    show.Add(QStringLiteral("写真.jpg"), Encoded(Photo(), "jpg"));
    show.Add(QStringLiteral("音楽.wav"), Bytes::Wav(1, 2, 44100, 16, Bytes::Chunk("data", QByteArray(400, '\0'))));
    show.Item(1, QStringLiteral("はじめに"), {QStringLiteral("写真.jpg")});
    EXPECT_EQ(show.Found(), "");

    show.Add(QStringLiteral("CON.jpg"), Encoded(Photo(), "jpg"));
    show.Add(QStringLiteral("Logo.jpg"), Encoded(Photo(), "jpg"));
    show.Add(QStringLiteral("logo.jpg"), Encoded(Photo(), "jpg"));
    show.Add(QStringLiteral("画面.jpg"), Encoded(Photo(), "png"));
    show.Add(QStringLiteral("段階.jpg"), Encoded(Photo(), "jpg", true));
    show.Add(QStringLiteral("横向き.jpg"), SidewaysJpeg());
    show.Add(QStringLiteral("透明.bmp"), DeepBmp());
    const QStringList pictures = {
        QStringLiteral("CON.jpg"),
        QStringLiteral("Logo.jpg"),
        QStringLiteral("logo.jpg"),
        QStringLiteral("画面.jpg"),
        QStringLiteral("段階.jpg"),
        QStringLiteral("横向き.jpg"),
        QStringLiteral("透明.bmp"),
    };
    show.Item(2, QStringLiteral("会社案内"), pictures);
    const QStringList expected = {
        QStringLiteral("%1 2 CON.jpg").arg(int(ShowCheck::Problem::WindowsName)),
        QStringLiteral("%1 4 logo.jpg").arg(int(ShowCheck::Problem::CaseTwin)),
        QStringLiteral("%1 5 画面.jpg").arg(int(ShowCheck::Problem::FormatMismatch)),
        QStringLiteral("%1 6 段階.jpg").arg(int(ShowCheck::Problem::JpegCoding)),
        QStringLiteral("%1 7 横向き.jpg").arg(int(ShowCheck::Problem::Orientation)),
        QStringLiteral("%1 8 透明.bmp").arg(int(ShowCheck::Problem::BmpKind)),
    };
    EXPECT_EQ(show.Found(), expected.join('\n').toStdString());
}
