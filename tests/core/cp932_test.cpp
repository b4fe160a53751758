#include "core/Cp932.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

#include <ostream>

// Readable QString values in failure messages.
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

#include <string>

namespace {

using Bytes::Hex;
QString U(const char* utf8) { return QString::fromUtf8(utf8); }
QString Ch(char32_t c) { return QString::fromUcs4(&c, 1); }

std::string Show(const QByteArray& bytes) { return bytes.toHex(' ').toStdString(); }
std::string Spaced(const char* hex) { return Show(Hex(hex)); }

// Encodes `text`, expecting success, and returns the bytes as spaced hex.
std::string EncodeHex(const QString& text)
{
    const Cp932::Encoded e = Cp932::Encode(text);
    EXPECT_TRUE(e.ok) << "unrepresentable: " << e.badChar.toStdString();
    EXPECT_TRUE(e.badChar.isEmpty());
    return Show(e.bytes);
}

// Decode then Encode must give the very same bytes.
void ExpectRoundTrip(const QByteArray& bytes)
{
    const Cp932::Encoded e = Cp932::Encode(Cp932::Decode(bytes));
    ASSERT_TRUE(e.ok) << "input " << Show(bytes) << " bad " << e.badChar.toStdString();
    ASSERT_EQ(Show(e.bytes), Show(bytes));
}

TEST(Cp932Encode, DashLineAndFullWidthTilde)
{
    EXPECT_EQ(EncodeHex(U("－－－－－－－－－－")),
              Spaced("817c817c817c817c817c817c817c817c817c817c"));
    EXPECT_EQ(EncodeHex(U("～")), Spaced("8160"));
    EXPECT_EQ(Cp932::Decode(Hex("817c8160")), U("－～"));
}

// The encoder writes look-alikes in their CP932 form, but they read back as
// other characters, so the editor refuses to store them.
TEST(Cp932Encode, LookAlikesUseTheCp932FormAndAreNotStorable)
{
    struct Case { char32_t ch; const char* hex; };
    const Case cases[] = {
        {0x301C, "8160"},  // WAVE DASH             as ～
        {0x2212, "817c"},  // MINUS SIGN            as －
        {0x2016, "8161"},  // DOUBLE VERTICAL LINE  as ∥
        {0x00A2, "8191"},  // CENT SIGN             as ￠
        {0x00A3, "8192"},  // POUND SIGN            as ￡
        {0x00AC, "81ca"},  // NOT SIGN              as ￢
        {0x2014, "815c"},  // EM DASH               as ―
        {0x00A5, "5c"},    // YEN SIGN              as the byte 5C
        {0x203E, "7e"},    // OVERLINE              as the byte 7E
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.ch));
        EXPECT_EQ(EncodeHex(Ch(c.ch)), Spaced(c.hex));
        EXPECT_EQ(Cp932::FirstUnrepresentable(QStringLiteral("ab") + Ch(c.ch)), Ch(c.ch));
    }
    // Reading gives the characters Windows reads for those codes.
    EXPECT_EQ(Cp932::Decode(Hex("81618191819281ca815c")),
              Ch(0x2225) + Ch(0xFFE0) + Ch(0xFFE1) + Ch(0xFFE2) + Ch(0x2015));
}

TEST(Cp932Encode, MixedJapaneseAndAscii)
{
    struct Case { const char* text; const char* hex; };
    const Case cases[] = {
        {"ｽﾀｰﾄｸﾞﾗﾌｨｯｸ選択", "bdc0b0c4b8ded7cca8afb8914991f0"},
        {"新規作成 （ﾌｫﾙﾀﾞ指定）", "90568b4b8dec90ac208169ccabd9c0de8e7792e8816a"},
        {"Abc,1.pev 項目を選んでください。",
         "4162632c312e706576208d8096da82f0914982f182c582ad82be82b382a28142"},
        {"\"\",\"\"\r\n", "22222c22220d0a"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(EncodeHex(U(c.text)), Spaced(c.hex));
        EXPECT_EQ(Cp932::Decode(Hex(c.hex)), U(c.text));
    }
}

TEST(Cp932Encode, UnrepresentableCharacterIsNamedNotReplaced)
{
    struct Case { QString text; QString bad; };
    const Case cases[] = {
        {U("한"), U("한")},
        {U("価格€100"), U("€")},                          // glibc's CP932 has no euro sign
        {U("abc😀def"), U("😀")},                          // both halves of the pair
        {U("テスト한글€"), U("한")},                       // the first one is named
        {U("a") + QChar(0xD800) + U("b"), QString(QChar(0xD800))},  // broken pair
        {U("x") + QChar(0xDC41), QString(QChar(0xDC41))},  // only DC80..DCFF are bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const Cp932::Encoded e = Cp932::Encode(c.text);
        EXPECT_FALSE(e.ok);
        EXPECT_EQ(e.badChar, c.bad);
        EXPECT_EQ(Cp932::FirstUnrepresentable(c.text), c.bad);
    }
    EXPECT_EQ(Cp932::FirstUnrepresentable(U("新規作成 ～－")), QString());
    EXPECT_EQ(Cp932::UnrepresentableMessage(U("😀")),
              U("「😀」はデータに保存できない文字です。別の文字に置き換えてください。"));
}

TEST(Cp932Decode, SingleBytes)
{
    // Controls are themselves (also 1A, 1C and 7F, which other Shift-JIS
    // tables change); bytes that start nothing are kept as U+DC00 + byte.
    EXPECT_EQ(Cp932::Decode(Hex("1a1c7f")), U("\x1a\x1c\x7f"));
    EXPECT_EQ(Cp932::Decode(Hex("a1df")), U("｡ﾟ"));
    EXPECT_EQ(Cp932::Decode(Hex("80a0fdfeff")),
              QString(QChar(0xDC80)) + QChar(0xDCA0) + QChar(0xDCFD) + QChar(0xDCFE) + QChar(0xDCFF));
    for (int b = 0; b < 0x100; ++b) ExpectRoundTrip(QByteArray(1, char(b)));
}

TEST(Cp932Decode, BrokenSequencesKeepTheirBytes)
{
    // A lead byte cut off at the end.
    EXPECT_EQ(Cp932::Decode(Hex("82a082")), U("あ") + QChar(0xDC82));
    // A lead byte followed by a byte that cannot follow it: only the lead is
    // kept raw, the next byte is read normally.
    EXPECT_EQ(Cp932::Decode(Hex("810d0a")), QString(QChar(0xDC81)) + U("\r\n"));
    EXPECT_EQ(Cp932::Decode(Hex("81ad")), QString(QChar(0xDC81)) + U("ｭ"));
    EXPECT_EQ(Cp932::Decode(Hex("ff41")), QString(QChar(0xDCFF)) + U("A"));
    for (const char* hex : {"82a082", "810d0a", "81ad", "ff41", "80a0fdfeff", "e0"})
        ExpectRoundTrip(Hex(hex));
}

TEST(Cp932Decode, DuplicateCodesStayByteExact)
{
    // The user-defined area is U+E000 onwards, both ways.
    EXPECT_EQ(Cp932::Decode(Hex("f040f9fc")), Ch(0xE000) + Ch(0xE757));
    EXPECT_EQ(EncodeHex(Ch(0xE000) + Ch(0xE757)), Spaced("f040f9fc"));
    // 纊 and ≒ have two codes each; text writes FA5C and 81E0, and the other
    // codes (ED40, 8790) are kept as raw bytes so a save gives them back.
    EXPECT_EQ(EncodeHex(Ch(0x7E8A) + Ch(0x2252)), Spaced("fa5c81e0"));
    EXPECT_EQ(Cp932::Decode(Hex("fa5c81e0")), Ch(0x7E8A) + Ch(0x2252));
    ExpectRoundTrip(Hex("ed40"));
    ExpectRoundTrip(Hex("8790"));
    // Every two-byte sequence survives a load and a save.
    for (int lead = 0x80; lead < 0x100; ++lead) {
        for (int trail = 0; trail < 0x100; ++trail) {
            QByteArray pair;
            pair.append(char(lead));
            pair.append(char(trail));
            ExpectRoundTrip(pair);
        }
    }
}

}  // namespace
