// Picture headers: the format by content, and the traits of a JPEG or BMP
// that a player's older decoder refuses or shows on its side. (Real files, a
// progressive JPEG, a plain BMP and a file that is no picture among them, are
// read in the show check's test.)

#include "core/PictureHeaders.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

namespace {

using Bytes::Hex;

QByteArray Segment(const char* marker, const QByteArray& payload)
{
    const int length = int(payload.size()) + 2;
    return Hex(marker) + char(length >> 8) + char(length & 0xFF) + payload;
}

// A JPEG's start: SOI, an optional EXIF block, a frame header, the scan's marker.
QByteArray Jpeg(const char* frame, int precision, int components, const QByteArray& exif = {})
{
    QByteArray out = Hex("FFD8") + Segment("FFE0", "JFIF" + QByteArray(10, '\0'));
    if (!exif.isEmpty()) out += Segment("FFE1", QByteArray("Exif\0\0", 6) + exif);
    out += Segment(frame, QByteArray(1, char(precision)) + Hex("00100010") + char(components) + QByteArray(3 * components, '\1'));
    return out + Hex("FFDA000C03");
}

// A little-endian TIFF structure holding only an orientation tag. (A
// big-endian one is in the show check's test, in a real photograph.)
QByteArray ExifLittleEndian(int orientation)
{
    return Hex("49492A0008000000") + Hex("0100") + Hex("1201030001000000") + char(orientation) + Hex("000000") + Hex("00000000");
}

QByteArray Bmp(int bits, int compression)
{
    QByteArray out = "BM" + QByteArray(12, '\0') + Hex("28000000") + QByteArray(8, '\1') + Hex("0100");
    return out + char(bits) + char(0) + char(compression) + QByteArray(3, '\0') + QByteArray(20, '\0');
}

}  // namespace

TEST(PictureHeaders, DoubtsOfEachKind)
{
    const struct {
        const char* name;
        QByteArray head;
        const char* doubt;  // a part of the one reason expected; empty for none
    } cases[] = {
        {"upright.jpg", Jpeg("FFC0", 8, 3, ExifLittleEndian(1)), ""},
        {"grey.JPEG", Jpeg("FFC1", 8, 1), ""},
        {"arithmetic.jpg", Jpeg("FFC9", 8, 3), "は算術符号化の JPEG"},
        {"deep.jpg", Jpeg("FFC1", 12, 3), "は12 ビットの JPEG"},
        {"print.jpg", Jpeg("FFC0", 8, 4), "はCMYK（印刷用の色）の JPEG"},
        {"turned.jpg", Jpeg("FFC0", 8, 3, ExifLittleEndian(3)), "向きの情報（EXIF）"},
        {"photo.gif", Jpeg("FFC0", 8, 3), "の中身は JPEG 形式ですが、名前は GIF 形式です。"},
        {"rle.bmp", Bmp(8, 1), ""},
        {"deep.bmp", Bmp(32, 0), "は32 ビットの BMP"},
        {"fields.bmp", Bmp(16, 3), "は16 ビット・ビットフィールド形式の BMP"},
        {"packed.bmp", Bmp(24, 5), "はPNG 圧縮の BMP"},
    };
    for (const auto& c : cases) {
        const QList<PictureHeaders::Reason> reasons = PictureHeaders::Doubts(c.name, PictureHeaders::Parse(c.head));
        EXPECT_EQ(reasons.size(), *c.doubt ? 1 : 0) << c.name;
        EXPECT_TRUE(reasons.value(0).text.contains(QString::fromUtf8(c.doubt))) << c.name << ": " << reasons.value(0).text.toStdString();
    }
}
