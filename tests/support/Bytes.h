#pragma once
// Whole files as bytes, and bytes written out as hex, for tests that compare
// files exactly. Header only: used by the toolkit-free tests too.

#include <QByteArray>
#include <QFile>
#include <QString>

namespace Bytes {

// CP932 text written out by hand ("817C" for －), so that expected files do not
// come from the code under test. Blanks between the digits are allowed.
inline QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

// The whole file, or "<missing>" when it cannot be read.
inline QByteArray Read(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll();
}

// Writes `bytes` as the whole file; false when it cannot.
inline bool Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

}  // namespace Bytes
