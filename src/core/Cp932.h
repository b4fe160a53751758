#pragma once
// Shift-JIS as the player reads it (code page 932), through glibc iconv.

#include <QByteArray>
#include <QString>

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

// The first character of `text` that cannot be stored in a project file, or
// an empty string when every character can.
QString FirstUnrepresentable(const QString& text);

// "「X」はデータに保存できない文字です。別の文字に置き換えてください。"
QString UnrepresentableMessage(const QString& badChar);

}  // namespace Cp932
