#pragma once
// The picture display of the windows: a picture file stretched to fill an
// image area (the top menu's start graphic, the event editor's preview), or
// fitted to a screen (the rehearsal).

#include <QString>

class QImage;
class QLabel;
class QSize;

namespace Picture {

// Shows the picture file at `path` (gif, jpg or bmp, told by its content) in
// `area`, stretched to fill it. The picture is decoded at the area's size, so
// a large photograph shows quickly. Returns false, leaving the area as it
// was, when the file cannot be decoded.
bool Show(QLabel* area, const QString& path);

// The picture file at `path` decoded as large as fits in `area`, keeping its
// proportions; a null image when it cannot be decoded. Only the fitted size
// is decoded, so a large photograph decodes quickly. Any thread may call it.
QImage DecodeFitted(const QString& path, const QSize& area);

// Empties the picture area.
void Clear(QLabel* area);

// Whether the file at `path` starts like a picture in a form that decodes
// (its header only: quick, but a damaged body passes).
bool LooksDecodable(const QString& path);

// Whether the file at `path` decodes as a picture (checked at a small size).
bool CanDecode(const QString& path);

// "指定のスタートグラフィックファイルを読み込めません。壊れているか、gif,jpg,bmp 以外の形式の可能性があります。"
QString UnreadableStartGraphicMessage();
// "指定のスタートグラフィックファイルがありません。…「ペルモローダー」では、この項目は無視されます。"
QString MissingStartGraphicMessage();

}  // namespace Picture
