#pragma once
// The top menu's picture area, `Image1`: a picture stretched to fill it.

#include <QString>

class QLabel;

namespace StartGraphic {

// Loads the picture file at `path` (gif, jpg or bmp) into `image1`, stretched.
// Returns false, leaving the area empty, when the file cannot be decoded.
bool Load(QLabel* image1, const QString& path);

// Empties the picture area.
void Clear(QLabel* image1);

// "指定のスタートグラフィックファイルを読み込めません。壊れているか、gif,jpg,bmp 以外の形式の可能性があります。"
QString UnreadableMessage();

}  // namespace StartGraphic
