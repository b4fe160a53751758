#pragma once
// Pictures brought in for the player, whose older decoders show baseline
// JPEG without turning it by its EXIF orientation, GIF, and BMP of 1, 4, 8 or
// 24 bits. A picture of those that is no larger than 1920 x 1440 (or is an
// animated GIF) is copied as it is; any other that can be decoded becomes an
// upright baseline JPEG of quality 90 that fits 1920 x 1440, on white where
// it was transparent.

#include "media/Converted.h"

#include <QByteArray>
#include <QString>

namespace PictureConvert {

// A picture that Qt's image readers decode: JPEG, GIF, BMP, PNG, WebP, TIFF
// and the other formats of the installed plugins.
Converted::File FromQt(const QString& source, const QString& folder, const Converted::Cancel& cancel);
// Whether Qt's image readers take the content of `source` for a picture.
bool QtReads(const QString& source);

// Whether `head`, the start of a file, is a HEIF picture (HEIC, AVIF) that
// libheif decodes; FromHeif brings one in.
bool IsHeif(const QByteArray& head);
Converted::File FromHeif(const QString& source, const QString& folder, const Converted::Cancel& cancel);

// Why a picture is refused: it does not decode, or it is larger than the
// decoder may take (`width` x `height`).
QString BrokenReason();
QString TooLargeReason(int width, int height);

}  // namespace PictureConvert
