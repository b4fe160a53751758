#include "core/Cp932.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <ostream>

// Readable QString values in failure messages.
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }
QString Ch(char32_t c) { return QString::fromUcs4(&c, 1); }
QString Raw(char16_t byte) { return QString(QChar(0xDC00 + byte)); }  // a byte that starts no character

// Each text is written as these bytes and they read back as the text, unless
// a character of it cannot be kept: a look-alike (written in its CP932 form
// but read back as another character, so the editor refuses to store it) or a
// character CP932 has not (named, nothing written).
TEST(Cp932, TextAndBytesBothWays)
{
    const struct {
        QString text;
        const char* hex;
        QString bad;
    } cases[] = {
        {U("Abc,1.pev ｽﾀｰﾄｸﾞﾗﾌｨｯｸ選択 項目を選んでください。"), "4162632c312e70657620bdc0b0c4b8ded7cca8afb8914991f0208d8096da82f0914982f182c582ad82be82b382a28142", ""},
        {U("\"\",\"\"\r\n\x1a\x1c\x7f｡ﾟ"), "22222c22220d0a1a1c7fa1df", ""},                                                // 1A 1C 7F: other tables change them
        {U("－～") + Ch(0x2225) + Ch(0xFFE0) + Ch(0xFFE1) + Ch(0xFFE2) + Ch(0x2015), "817c816081618191819281ca815c", ""},  // as Windows reads them
        {Ch(0xE000) + Ch(0xE757), "f040f9fc", ""},                                                                         // the user-defined area
        {Ch(0x7E8A) + Ch(0x2252), "fa5c81e0", ""},                                                                         // of the two codes of 纊 and ≒, the ones text uses
        {U("あ") + Raw(0x82), "82a082", ""},                                                                               // a lead byte cut off at the end
        {Raw(0x81) + U("\r\n"), "810d0a", ""},                                                                             // a lead byte before a byte that cannot follow it
        {Raw(0x81) + U("ｭ"), "81ad", ""},
        {U("ab") + Ch(0x301C), "61628160", Ch(0x301C)},  // look-alikes
        {Ch(0x00A5), "5c", Ch(0x00A5)},
        {U("テスト€100한글"), "", U("€")},                              // the first one is named; glibc's CP932 has no euro sign
        {U("abc😀def"), "", U("😀")},                                     // both halves of the pair
        {U("a") + QChar(0xD800) + U("b"), "", QString(QChar(0xD800))},  // a broken pair
        {U("x") + QChar(0xDC41), "", QString(QChar(0xDC41))},           // only DC80..DCFF are bytes
    };
    for (const auto& [text, hex, bad] : cases) {
        SCOPED_TRACE(hex);
        const Cp932::Encoded e = Cp932::Encode(text);
        EXPECT_EQ(e.bytes.toHex(), hex);
        EXPECT_EQ(e.ok ? QString() : e.badChar, *hex ? QString() : bad);
        EXPECT_EQ(Cp932::FirstUnrepresentable(text), bad);
        EXPECT_EQ(bad.isEmpty() ? Cp932::Decode(Bytes::Hex(hex)) : text, text);
    }
    // Whatever a file holds survives a load and a save, also the second codes
    // of characters that have two (ED40, 8790, ...).
    for (int first = 0; first < 0x100; ++first)
        for (int second = -1; second < 0x100; ++second) {
            const QByteArray bytes = QByteArray(1, char(first)) + (second < 0 ? "" : QByteArray(1, char(second)));
            ASSERT_EQ(Cp932::Encode(Cp932::Decode(bytes)).bytes.toHex(), bytes.toHex());
        }
}

}  // namespace
