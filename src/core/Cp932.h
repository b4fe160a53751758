#pragma once
// Shift-JIS as the player reads it (code page 932), through glibc iconv.

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

namespace Cp932 {

struct Encoded {
    QByteArray bytes;
    bool ok = true;
    QString badChar;  // the first character CP932 cannot represent, when !ok
};

// Encodes text to CP932. Characters that CP932 writes as a look-alike (U+301C
// as 81 60, U+2212 as 81 7C, ...) are representable. A character with no
// CP932 form makes the result fail, naming that character; nothing is ever
// replaced silently. Characters U+DC80..U+DCFF stand for raw bytes that
// Decode could not read and are written back as those bytes.
Encoded Encode(const QString& text);

// Decodes CP932 bytes. Never fails: a byte that does not start a valid CP932
// character becomes U+DC00 + byte, so Encode gives the same bytes back.
QString Decode(const QByteArray& bytes);
// Decoding many short texts in a row, as a file's fields are read: the
// tables are looked up once, and the loop is compiled into the reader.
class Decoder {
public:
    Decoder();

    // Decodes into `out` up to, not including, the first byte that is a
    // character of its own and is marked in `stops` (delimiters are never the
    // second byte of a character). `bytes[size]` must be readable and below
    // 0x40, as the null that ends a QByteArray's data is. Returns the number
    // of bytes read; adds the characters written to `out`.
    qsizetype Until(const char* bytes, qsizetype size, const std::array<bool, 256>& stops, char16_t*& out) const
    {
        const auto* p = reinterpret_cast<const unsigned char*>(bytes);
        char16_t* o = out;
        qsizetype i = 0;
        // Text runs in stretches of one kind: single bytes (ASCII, digits) or
        // pairs (kana, kanji). Each stretch has a loop of its own.
        while (i < size) {
            for (; i < size && row_[p[i]] == kSingle; ++i) {
                if (stops[p[i]]) {
                    out = o;
                    return i;
                }
                *o++ = single_[p[i]];
            }
            for (uint8_t r; i < size && (r = row_[p[i]]) != kSingle;) {
                const char16_t c = packed_[r << 8 | p[i + 1]];  // p[size] is readable, and no trail byte
                if (c != kNoChar) {
                    *o++ = c;
                    i += 2;
                } else {
                    *o++ = static_cast<char16_t>(kEscapeBase + p[i]);
                    ++i;
                }
            }
        }
        out = o;
        return size;
    }

    static constexpr char16_t kNoChar = 0xFFFF;      // not a CP932 character (U+FFFF is a noncharacter)
    static constexpr char16_t kEscapeBase = 0xDC00;  // U+DC80..U+DCFF stand for raw bytes 80..FF
    static constexpr uint8_t kSingle = 0xFF;         // a byte that is a character of its own

private:
    const char16_t* single_;  // the character of each byte of its own
    const uint8_t* row_;      // kSingle, or the row of `packed_` of each lead byte (0: none)
    const char16_t* packed_;  // row << 8 | trail: the character of a pair
};

// The first character of `text` that cannot be stored in a project file, or
// an empty string when every character can.
QString FirstUnrepresentable(const QString& text);

// Appends the CP932 form of `text` to `out` when a field of a project file
// can hold it: no double quote, no line break, and every character one that
// FirstUnrepresentable passes. Otherwise returns false and leaves `out` as it
// was. One pass: what a save does with every text.
bool AppendStorable(const QString& text, QByteArray& out);

// "「X」はデータに保存できない文字です。別の文字に置き換えてください。"
QString UnrepresentableMessage(const QString& badChar);

}  // namespace Cp932
