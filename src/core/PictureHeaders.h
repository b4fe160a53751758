#pragma once
// What the headers of a picture file say about it, read without decoding a
// pixel: which format the bytes are, and the traits of a JPEG or BMP that a
// player with an older decoder cannot show, or shows on its side.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace PictureHeaders {

enum class Format {
    Unknown,
    Gif,
    Jpeg,
    Bmp,
    Png,
    WebP,
    Tiff,
    Heif
};

struct Facts {
    Format format = Format::Unknown;
    // JPEG: the frame's coding process and its samples.
    bool progressive = false;
    bool arithmetic = false;
    bool lossless = false;
    int precision = 8;   // bits per sample
    int components = 0;  // 1 grey, 3 colour, 4 CMYK or YCCK
    // EXIF orientation (1 upright, 2 to 8 turned or mirrored; 0 when none).
    int orientation = 0;
    // BMP: bits per pixel and compression (0 none, 1 and 2 RLE, 3 bit
    // fields, 4 JPEG, 5 PNG, 6 bit fields with alpha).
    int bmpBits = 0;
    int bmpCompression = 0;
};

// Reads the headers of the file at `path`: the start of the file and, for a
// JPEG, its marker segments up to the first scan. A file that cannot be read
// has Format::Unknown.
Facts Read(const QString& path);
// The same from the bytes of a file's start (as many as Read would take).
Facts Parse(const QByteArray& head);

// The format a picture file name's extension promises: gif, jpg/jpeg, bmp,
// in any letter case; Unknown for any other.
Format FormatOfName(const QString& fileName);

// Why a player on Windows may fail to show a picture, in this order.
enum class Doubt {
    FormatMismatch,
    JpegCoding,
    Orientation,
    BmpKind
};
struct Reason {
    Doubt doubt;
    QString text;  // what is wrong with the file `fileName` and what to do
};
// The reasons for the picture `fileName` with these facts, in the order of
// Doubt. None for a file whose format is unknown: the decode check speaks
// for those.
QList<Reason> Doubts(const QString& fileName, const Facts& facts);

// The texts of the reasons. `kinds` lists what the JPEG or BMP is coded as
// ("プログレッシブ・CMYK（印刷用の色）"); formats are named as "JPEG".
QString FormatMismatchText(const QString& fileName, const QString& content, const QString& named);
QString JpegCodingText(const QString& fileName, const QString& kinds);
QString OrientationText(const QString& fileName);
QString BmpKindText(const QString& fileName, const QString& kinds);

}  // namespace PictureHeaders
