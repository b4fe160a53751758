#include "core/Cp932.h"

#include <QtGlobal>

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <vector>

namespace Cp932 {

namespace {

// The mapping comes from glibc's "CP932" converter. It is read once into
// lookup tables, so that encoding and decoding are plain table look-ups and
// the rules below (escaped bytes, exact round trip) hold for every byte.

constexpr char16_t kNoChar = Decoder::kNoChar;
constexpr uint16_t kNoBytes = 0xFFFF;  // no CP932 form (FFFF is no CP932 code)
constexpr char16_t kEscapeBase = Decoder::kEscapeBase;
constexpr uint8_t kSingle = Decoder::kSingle;

struct Tables {
    // Character of a byte that stands alone (ASCII, controls, half-width
    // katakana), or kNoChar.
    std::array<char16_t, 256> single{};
    // Character of the two bytes lead << 8 | trail, or kNoChar. Only pairs
    // that the character encodes back to are kept: CP932 has duplicate codes
    // (NEC-selected IBM extensions ED40-EEFC, some of 8790-879C and FA4A-FA5B)
    // whose characters are written with the other code, so those pairs are
    // read as raw bytes to keep a file byte-exact through a load and a save.
    std::vector<char16_t> pair = std::vector<char16_t>(0x10000, kNoChar);
    // CP932 code of each BMP character: < 0x100 one byte, else two bytes.
    std::vector<uint16_t> code = std::vector<uint16_t>(0x10000, kNoBytes);
    // The pairs again, packed for reading long texts: only the 60 rows of
    // lead bytes, plus one row of nothing for bytes that are neither a
    // character nor a lead byte; row[lead] << 8 | trail indexes `packed`, and
    // its 31 KB stay in the fastest cache. row[b] is kSingle when b is a
    // character of its own.
    std::array<uint8_t, 256> row{};
    std::vector<char16_t> packed;
    // The code of each character a field of a project file can hold: one
    // that reads back as itself, and neither a double quote nor a line break.
    std::vector<uint16_t> stored = std::vector<uint16_t>(0x10000, kNoBytes);
};

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in` in one go; returns the number of output bytes, or
    // -1 when iconv refuses any of it.
    int Convert(const char* in, size_t inLen, char* out, size_t outLen)
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // reset shift state
        char* inPtr = const_cast<char*>(in);
        char* outPtr = out;
        size_t outLeft = outLen;
        if (iconv(cd_, &inPtr, &inLen, &outPtr, &outLeft) == static_cast<size_t>(-1)) return -1;
        if (inLen != 0) return -1;
        return static_cast<int>(outLen - outLeft);
    }

private:
    iconv_t cd_;
};

Tables BuildTables()
{
    Tables t;
    Converter toCp932("CP932", "UTF-16LE");
    Converter fromCp932("UTF-16LE", "CP932");
    if (!toCp932.valid() || !fromCp932.valid()) {
        qCritical("Cp932: glibc iconv has no CP932 converter; text cannot be encoded");
        return t;
    }

    // Encoding side: every BMP character except surrogates. (glibc's CP932
    // maps nothing outside the BMP.)
    for (uint32_t u = 0; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF) continue;
        const char in[2] = {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
        unsigned char out[8];
        const int n = toCp932.Convert(in, 2, reinterpret_cast<char*>(out), sizeof out);
        if (n == 1)
            t.code[u] = out[0];
        else if (n == 2)
            t.code[u] = static_cast<uint16_t>(out[0] << 8 | out[1]);
    }

    // Decoding side, keeping only codes that encode back to themselves.
    auto decodeOne = [&](const char* in, size_t len) -> char16_t {
        unsigned char out[8];
        if (fromCp932.Convert(in, len, reinterpret_cast<char*>(out), sizeof out) != 2)
            return kNoChar;
        return static_cast<char16_t>(out[0] | out[1] << 8);
    };
    for (int b = 0; b < 256; ++b) {
        const char in[1] = {static_cast<char>(b)};
        const char16_t c = decodeOne(in, 1);
        if (c != kNoChar && t.code[c] == b)
            t.single[b] = c;
        else
            t.single[b] = kNoChar;
    }
    for (int lead = 0x80; lead < 0x100; ++lead) {
        if (t.single[lead] != kNoChar) continue;
        for (int trail = 0x40; trail < 0x100; ++trail) {
            const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const char16_t c = decodeOne(in, 2);
            const uint16_t bytes = static_cast<uint16_t>(lead << 8 | trail);
            if (c != kNoChar && t.code[c] == bytes) t.pair[bytes] = c;
        }
    }
    int rows = 1;  // row 0: nothing
    for (int lead = 0; lead < 0x100; ++lead) {
        bool leads = false;
        for (int trail = 0; trail < 0x100; ++trail) leads = leads || t.pair[lead << 8 | trail] != kNoChar;
        if (leads)
            t.row[lead] = static_cast<uint8_t>(rows++);
        else if (t.single[lead] != kNoChar)
            t.row[lead] = kSingle;
    }
    Q_ASSERT(rows < kSingle);
    t.packed.assign(rows << 8, kNoChar);
    for (int lead = 0; lead < 0x100; ++lead)
        for (int trail = 0; trail < 0x100 && t.row[lead]; ++trail)
            if (t.row[lead] != kSingle) t.packed[t.row[lead] << 8 | trail] = t.pair[lead << 8 | trail];
    for (uint32_t u = 0; u < 0x10000; ++u) {
        const uint16_t code = t.code[u];
        const char16_t back = code == kNoBytes ? kNoChar : (code < 0x100 ? t.single[code] : t.pair[code]);
        if (code != kNoBytes && back == u && u != u'"' && u != u'\r' && u != u'\n') t.stored[u] = code;
    }
    return t;
}

const Tables& Table()
{
    static const Tables tables = BuildTables();
    return tables;
}

}  // namespace

Encoded Encode(const QString& text)
{
    const Tables& t = Table();
    Encoded result;
    QByteArray& out = result.bytes;
    const qsizetype n = text.size();
    out.resize(2 * n);  // room for the longest form, cut to length below
    char* o = out.data();
    auto fail = [&](QString badChar) {
        out.clear();
        result.ok = false;
        result.badChar = std::move(badChar);
        return result;
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode()))
            return fail(text.mid(i, 2));  // outside the BMP: CP932 has none of these
        if (u >= kEscapeBase + 0x80 && u <= kEscapeBase + 0xFF) {
            *o++ = static_cast<char>(u - kEscapeBase);
            continue;
        }
        const uint16_t code = t.code[u];
        if (code == kNoBytes) return fail(QString(QChar(u)));
        if (code >= 0x100) *o++ = static_cast<char>(code >> 8);
        *o++ = static_cast<char>(code & 0xFF);
    }
    out.truncate(o - out.constData());
    return result;
}

Decoder::Decoder()
    : single_(Table().single.data()), row_(Table().row.data()), packed_(Table().packed.data())
{
}

QString Decode(const QByteArray& bytes)
{
    if (bytes.isEmpty()) return {};
    // Never more characters than bytes: written in place, then cut to length.
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(text.data());
    char16_t* out = begin;
    Decoder().Until(bytes.constData(), bytes.size(), {}, out);  // a QByteArray ends in a null
    text.resize(out - begin);
    return text;
}

namespace {

bool IsEscape(char16_t u) { return u >= kEscapeBase + 0x80 && u <= kEscapeBase + 0xFF; }

// Whether the raw byte that text[i] stands for stays itself when written: not
// when it is a character of its own (half-width katakana), nor when it would
// join the first byte of the next character into a pair.
bool EscapeStaysItself(const Tables& t, const QString& text, qsizetype i)
{
    const char16_t u = text.at(i).unicode();
    if (t.single[u - kEscapeBase] != kNoChar) return false;
    if (i + 1 >= text.size()) return true;
    const char16_t after = text.at(i + 1).unicode();
    const uint16_t next = t.code[after];
    const int lead2 = next != kNoBytes ? (next < 0x100 ? next : next >> 8) : IsEscape(after) ? after - kEscapeBase
                                                                                             : -1;
    return lead2 < 0 || t.pair[(u - kEscapeBase) << 8 | lead2] == kNoChar;
}

}  // namespace

QString FirstUnrepresentable(const QString& text)
{
    // A character can be stored when it has a CP932 form that reads back as
    // the same character. U+2212, U+00A5, U+301C and the like have a form, but
    // it reads back as another character (U+FF0D, "\\", U+FF5E).
    const Tables& t = Table();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode()))
            return text.mid(i, 2);
        if (IsEscape(u)) {
            if (!EscapeStaysItself(t, text, i)) return QString(QChar(u));
            continue;
        }
        const uint16_t code = t.code[u];
        const char16_t back = code == kNoBytes ? kNoChar : (code < 0x100 ? t.single[code] : t.pair[code]);
        if (code == kNoBytes || back != u) return QString(QChar(u));
    }
    return {};
}

bool AppendStorable(const QString& text, QByteArray& out)
{
    const Tables& t = Table();
    const qsizetype start = out.size();
    const qsizetype n = text.size();
    out.resize(start + 2 * n);  // room for the longest form, cut to length below
    char* o = out.data() + start;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        const uint16_t code = t.stored[u];
        if (code != kNoBytes) {
            if (code >= 0x100) *o++ = static_cast<char>(code >> 8);
            *o++ = static_cast<char>(code & 0xFF);
        } else if (IsEscape(u) && EscapeStaysItself(t, text, i)) {
            *o++ = static_cast<char>(u - kEscapeBase);
        } else {
            out.truncate(start);
            return false;
        }
    }
    out.truncate(o - out.constData());
    return true;
}

QString UnrepresentableMessage(const QString& badChar)
{
    return QStringLiteral("「") + badChar
        + QStringLiteral("」はデータに保存できない文字です。別の文字に置き換えてください。");
}

}  // namespace Cp932
