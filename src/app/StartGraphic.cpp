#include "app/StartGraphic.h"

#include <QImageReader>
#include <QLabel>
#include <QPixmap>

namespace StartGraphic {

bool Load(QLabel* image1, const QString& path)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QImage picture = reader.read();
    if (picture.isNull()) {
        Clear(image1);
        return false;
    }
    image1->setScaledContents(true);
    image1->setPixmap(QPixmap::fromImage(picture));
    return true;
}

void Clear(QLabel* image1)
{
    image1->setPixmap(QPixmap());
}

QString UnreadableMessage()
{
    return QStringLiteral(
        "指定のスタートグラフィックファイルを読み込めません。壊れているか、gif,jpg,bmp 以外の形式の可能性があります。");
}

}  // namespace StartGraphic
