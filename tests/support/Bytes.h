#pragma once
// Whole files as bytes, and the bytes of project and wav files. Header only:
// used by the toolkit-free tests too.

#include <QtCore>

namespace Bytes {

// CP932 text written out by hand ("817C" for －), so that expected files do not
// come from the code under test. Blanks between the digits are allowed.
inline QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

// One record of a project file: "a","b" and CR LF.
inline QByteArray Record(const QByteArray& a = {}, const QByteArray& b = {}) { return '"' + a + "\",\"" + b + "\"\r\n"; }

// The whole file, or "<missing>" when it cannot be read.
inline QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : "<missing>";
}

inline bool Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// `jpeg` with an EXIF block after its start that holds only `orientation`
// (6: turn it to the right to see it upright, as a phone stores a photograph).
inline QByteArray WithOrientation(const QByteArray& jpeg, int orientation)
{
    const QByteArray exif = QByteArray("Exif\0\0", 6) + Hex("4D4D002A00000008 0001 0112000300000001") + char(0) + char(orientation) + Hex("0000 00000000");
    return jpeg.left(2) + Hex("FFE1") + char(0) + char(exif.size() + 2) + exif + jpeg.mid(2);
}

// `n` bytes of `v`, least significant first; a RIFF chunk; a wav file whose 'fmt ' chunk says
// `format` (1 = PCM), `channels`, `rate` and `bits`, between the chunks `before` and `after`.
inline QByteArray Le(qint64 v, int n) { return n ? char(v) + Le(v >> 8, n - 1) : QByteArray(); }
inline QByteArray Chunk(const QByteArray& id, const QByteArray& body) { return id + Le(body.size(), 4) + body + QByteArray(body.size() % 2, '\0'); }
inline QByteArray Wav(int format, int channels, int rate, int bits, const QByteArray& after, const QByteArray& before = {})
{
    const int frame = channels * bits / 8;
    const QByteArray fmt = Le(format, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * frame, 4) + Le(frame, 2) + Le(bits, 2);
    const QByteArray chunks = before + Chunk("fmt ", fmt) + after;
    return "RIFF" + Le(4 + chunks.size(), 4) + "WAVE" + chunks;
}

// A wav of a moment's silence that the player can play.
inline QByteArray Silence() { return Wav(1, 1, 22050, 16, Chunk("data", QByteArray(4, '\0'))); }

}  // namespace Bytes
