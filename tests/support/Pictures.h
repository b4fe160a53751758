#pragma once
// Pictures made for a test with Qt's own writers. Header only: used by the
// window-free tests of the layers that have Qt Gui.

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include <gtest/gtest.h>

namespace Pictures {

// `image` in `format` ("jpg", "png", "bmp", ...), progressive where the format has it.
inline QByteArray Encoded(const QImage& image, const char* format, bool progressive = false)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image)) << format << ' ' << qPrintable(writer.errorString());
    return buffer.data();
}

}  // namespace Pictures
