#include "forms/Picture.h"

#include <QImageReader>
#include <QLabel>
#include <QPixmap>

namespace Picture {

namespace {

QImage Decode(const QString& path, const QSize& size)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (size.isValid() && !size.isEmpty()) reader.setScaledSize(size);
    return reader.read();
}

}  // namespace

bool Show(QLabel* area, const QString& path)
{
    const QImage picture = Decode(path, area->size());
    if (picture.isNull()) return false;
    area->setScaledContents(true);
    area->setPixmap(QPixmap::fromImage(picture));
    return true;
}

QImage DecodeFitted(const QString& path, const QSize& area)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QSize full = reader.size();
    if (!full.isValid() || area.isEmpty()) return {};
    reader.setScaledSize(full.scaled(area, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader.read();
}

void Clear(QLabel* area)
{
    area->setPixmap(QPixmap());
}

bool LooksDecodable(const QString& path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    return reader.canRead() && reader.size().isValid();
}

bool CanDecode(const QString& path)
{
    return !Decode(path, QSize(32, 24)).isNull();
}

QString UnreadableStartGraphicMessage()
{
    return QStringLiteral(
        "指定のスタートグラフィックファイルを読み込めません。壊れているか、gif,jpg,bmp 以外の形式の可能性があります。");
}

QString MissingStartGraphicMessage()
{
    return QStringLiteral("指定のスタートグラフィックファイルがありません。消されたか、名前が変更された可能性があります。"
                          "「ペルモローダー」では、この項目は無視されます。");
}

}  // namespace Picture
