// Build tool: turns the window icon's PNG renderings into a C++ source of
// plain pixel arrays and a function that makes the icon of them, so that the
// program shows its icon without decoding a picture at the start.
//
//   icon_pixels OUT.cpp PNG...

#include <QFile>
#include <QImage>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fputs("usage: icon_pixels OUT.cpp PNG...\n", stderr);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
    QTextStream out(&file);
    out << "// Made at build time by tools/icon_pixels from the desktop entry's icon.\n"
           "#include <QIcon>\n#include <QImage>\n#include <QPixmap>\n\nnamespace {\n";
    QStringList adds;
    for (int i = 2; i < argc; ++i) {
        const QImage image = QImage(QString::fromLocal8Bit(argv[i])).convertToFormat(QImage::Format_ARGB32);
        if (image.isNull()) {
            std::fprintf(stderr, "icon_pixels: cannot read %s\n", argv[i]);
            return 1;
        }
        out << "const uint kPixels" << i << "[] = {";
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) out << (x % 8 ? " " : "\n    ") << "0x" << Qt::hex << line[x] << Qt::dec << "u,";
        }
        out << "\n};\n";
        adds << QStringLiteral("    icon.addPixmap(QPixmap::fromImage(QImage(reinterpret_cast<const uchar*>(kPixels%1), %2, %3, QImage::Format_ARGB32)));\n")
                    .arg(i)
                    .arg(image.width())
                    .arg(image.height());
    }
    out << "}  // namespace\n\nQIcon BuiltInIcon()\n{\n    QIcon icon;\n"
        << adds.join(QString()) << "    return icon;\n}\n";
    return out.status() == QTextStream::Ok && file.flush() ? 0 : 1;
}
