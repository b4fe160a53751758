#include "core/PictureHeaders.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>

#include <functional>

namespace PictureHeaders {

namespace {

// The bytes at a position of the file, or fewer where it ends.
using Source = std::function<QByteArray(qint64 pos, int size)>;

// The start of a file that tells its format and a BMP's header.
constexpr int kHeadSize = 64;
// A JPEG puts its frame header after its application segments; a file whose
// frame is further in than this is not read to the end.
constexpr int kMaxJpegSegments = 256;

quint8 Byte(const QByteArray& b, int i) { return static_cast<quint8>(b.at(i)); }
quint16 Be16(const QByteArray& b, int i) { return quint16(Byte(b, i) << 8 | Byte(b, i + 1)); }

Format FormatOfHead(const QByteArray& head)
{
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a")) return Format::Gif;
    if (head.startsWith("\xFF\xD8\xFF")) return Format::Jpeg;
    if (head.startsWith("BM")) return Format::Bmp;
    if (head.startsWith("\x89PNG\r\n\x1A\n")) return Format::Png;
    if (head.startsWith("RIFF") && head.mid(8, 4) == "WEBP") return Format::WebP;
    if (head.startsWith("II*") || head.startsWith("MM\0*")) return Format::Tiff;
    if (head.mid(4, 4) == "ftyp") {
        const QByteArray brand = head.mid(8, 4);
        if (brand == "heic" || brand == "heix" || brand == "mif1" || brand == "msf1" || brand == "heim" || brand == "heis")
            return Format::Heif;
    }
    return Format::Unknown;
}

// The orientation tag (0x0112) of IFD0 in an EXIF block ("Exif\0\0" and a
// TIFF structure); 0 when there is none.
int ExifOrientation(const QByteArray& app1)
{
    if (!app1.startsWith(QByteArray("Exif\0\0", 6)) || app1.size() < 14) return 0;
    const QByteArray tiff = app1.mid(6);
    const bool little = tiff.startsWith("II");
    if (!little && !tiff.startsWith("MM")) return 0;
    const auto u16 = [&](qint64 at) -> int {
        if (at < 0 || at + 2 > tiff.size()) return -1;
        const auto* p = reinterpret_cast<const uchar*>(tiff.constData() + at);
        return little ? qFromLittleEndian<quint16>(p) : qFromBigEndian<quint16>(p);
    };
    const auto u32 = [&](qint64 at) -> qint64 {
        if (at < 0 || at + 4 > tiff.size()) return -1;
        const auto* p = reinterpret_cast<const uchar*>(tiff.constData() + at);
        return little ? qFromLittleEndian<quint32>(p) : qFromBigEndian<quint32>(p);
    };
    const qint64 ifd = u32(4);
    const int count = u16(ifd);
    for (int i = 0; i < count; ++i) {
        const qint64 entry = ifd + 2 + 12 * qint64(i);
        if (u16(entry) == 0x0112 && u16(entry + 2) == 3) return std::max(0, u16(entry + 8));
    }
    return 0;
}

// Walks the marker segments of a JPEG from its start to the first scan,
// reading only the segments that matter: EXIF and the frame header.
void ReadJpeg(const Source& source, Facts& facts)
{
    qint64 pos = 2;
    for (int segments = 0; segments < kMaxJpegSegments; ++segments) {
        const QByteArray marker = source(pos, 4);
        if (marker.size() < 2 || Byte(marker, 0) != 0xFF) return;
        const quint8 code = Byte(marker, 1);
        if (code == 0xFF) {  // fill byte
            ++pos;
            continue;
        }
        if (code == 0x01 || (code >= 0xD0 && code <= 0xD7)) {  // no length
            pos += 2;
            continue;
        }
        if (code == 0xDA || code == 0xD9 || marker.size() < 4) return;  // the scan, or the end
        const int length = Be16(marker, 2);
        if (length < 2) return;
        const bool frame = code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
        if (frame) {
            const QByteArray sof = source(pos + 4, 6);
            if (sof.size() < 6) return;
            facts.precision = Byte(sof, 0);
            facts.components = Byte(sof, 5);
            const int process = code & 0x0F;  // 0, 1 sequential; 2 progressive; 3 lossless; +8 arithmetic
            facts.arithmetic = code >= 0xC9;
            facts.progressive = (process & 3) == 2;
            facts.lossless = (process & 3) == 3;
        } else if (code == 0xE1 && facts.orientation == 0) {
            facts.orientation = ExifOrientation(source(pos + 4, length - 2));
        }
        pos += 2 + length;
    }
}

void ReadBmp(const QByteArray& head, Facts& facts)
{
    if (head.size() < 30) return;
    const auto* p = reinterpret_cast<const uchar*>(head.constData());
    const quint32 infoSize = qFromLittleEndian<quint32>(p + 14);
    if (infoSize == 12) {  // the oldest header: no compression
        facts.bmpBits = qFromLittleEndian<quint16>(p + 24);
        return;
    }
    if (head.size() < 34) return;
    facts.bmpBits = qFromLittleEndian<quint16>(p + 28);
    facts.bmpCompression = int(qFromLittleEndian<quint32>(p + 30));
}

Facts ReadFrom(const Source& source)
{
    Facts facts;
    const QByteArray head = source(0, kHeadSize);
    facts.format = FormatOfHead(head);
    if (facts.format == Format::Jpeg) ReadJpeg(source, facts);
    if (facts.format == Format::Bmp) ReadBmp(head, facts);
    return facts;
}

QString FormatName(Format format)
{
    switch (format) {
    case Format::Gif: return QStringLiteral("GIF");
    case Format::Jpeg: return QStringLiteral("JPEG");
    case Format::Bmp: return QStringLiteral("BMP");
    case Format::Png: return QStringLiteral("PNG");
    case Format::WebP: return QStringLiteral("WebP");
    case Format::Tiff: return QStringLiteral("TIFF");
    case Format::Heif: return QStringLiteral("HEIF");
    case Format::Unknown: break;
    }
    return {};
}

}  // namespace

Facts Read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return ReadFrom([&file](qint64 pos, int size) {
        return file.seek(pos) ? file.read(size) : QByteArray();
    });
}

Facts Parse(const QByteArray& head)
{
    return ReadFrom([&head](qint64 pos, int size) { return pos < head.size() ? head.mid(pos, size) : QByteArray(); });
}

Format FormatOfName(const QString& fileName)
{
    const QString suffix = fileName.section(QLatin1Char('.'), -1).toLower();
    if (!fileName.contains(QLatin1Char('.'))) return Format::Unknown;
    if (suffix == QLatin1String("gif")) return Format::Gif;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) return Format::Jpeg;
    if (suffix == QLatin1String("bmp")) return Format::Bmp;
    return Format::Unknown;
}

QList<Reason> Doubts(const QString& fileName, const Facts& facts)
{
    QList<Reason> doubts;
    if (facts.format == Format::Unknown) return doubts;
    const Format named = FormatOfName(fileName);
    if (named != Format::Unknown && named != facts.format)
        doubts << Reason{Doubt::FormatMismatch, FormatMismatchText(fileName, FormatName(facts.format), FormatName(named))};
    if (facts.format == Format::Jpeg) {
        QStringList kinds;
        if (facts.progressive) kinds << QStringLiteral("プログレッシブ");
        if (facts.arithmetic) kinds << QStringLiteral("算術符号化");
        if (facts.lossless) kinds << QStringLiteral("ロスレス");
        if (facts.precision != 8) kinds << QStringLiteral("%1 ビット").arg(facts.precision);
        if (facts.components == 4) kinds << QStringLiteral("CMYK（印刷用の色）");
        if (!kinds.isEmpty())
            doubts << Reason{Doubt::JpegCoding, JpegCodingText(fileName, kinds.join(QStringLiteral("・")))};
    }
    if (facts.orientation > 1)
        doubts << Reason{Doubt::Orientation, OrientationText(fileName)};
    if (facts.format == Format::Bmp) {
        QStringList kinds;
        if (facts.bmpBits == 16 || facts.bmpBits == 32) kinds << QStringLiteral("%1 ビット").arg(facts.bmpBits);
        if (facts.bmpCompression == 3 || facts.bmpCompression == 6) kinds << QStringLiteral("ビットフィールド形式");
        if (facts.bmpCompression == 4) kinds << QStringLiteral("JPEG 圧縮");
        if (facts.bmpCompression == 5) kinds << QStringLiteral("PNG 圧縮");
        if (!kinds.isEmpty())
            doubts << Reason{Doubt::BmpKind, BmpKindText(fileName, kinds.join(QStringLiteral("・")))};
    }
    return doubts;
}

QString FormatMismatchText(const QString& fileName, const QString& content, const QString& named)
{
    return QStringLiteral("グラフィックファイル「%1」の中身は %2 形式ですが、名前は %3 形式です。"
                          "名前の形式で読む「ペルモローダー」では表示できないことがあります。"
                          "中身に合った名前に変えるか、%3 形式に変換したファイルに差し替えてください。")
        .arg(fileName, content, named);
}

QString JpegCodingText(const QString& fileName, const QString& kinds)
{
    return QStringLiteral("グラフィックファイル「%1」は%2の JPEG です。古い JPEG の読み込みでは表示できないため、"
                          "通常の（ベースライン）カラー JPEG に変換したファイルに差し替えてください。")
        .arg(fileName, kinds);
}

QString OrientationText(const QString& fileName)
{
    return QStringLiteral("グラフィックファイル「%1」は、撮影したときの向きの情報（EXIF）で回して見せる写真です。"
                          "「ペルモローダー」はこの情報を使わないため、横向きや逆さまに表示されます。"
                          "正しい向きに回して保存し直したファイルに差し替えてください。")
        .arg(fileName);
}

QString BmpKindText(const QString& fileName, const QString& kinds)
{
    return QStringLiteral("グラフィックファイル「%1」は%2の BMP です（表示できるのは 1・4・8・24 ビットの BMP です）。"
                          "24 ビットの BMP に変換したファイルに差し替えてください。")
        .arg(fileName, kinds);
}

}  // namespace PictureHeaders
