#include "core/Records.h"

#include "core/Cp932.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

namespace Records {

namespace {

constexpr std::array<bool, 256> Stops(std::string_view bytes)
{
    std::array<bool, 256> stops{};
    for (char c : bytes) stops[static_cast<unsigned char>(c)] = true;
    return stops;
}
// The delimiters (blank, tab, double quote, comma, CR, LF) are all below 0x40,
// so none of them is ever the second byte of a CP932 character: a field ends
// at the first of them that the decoder meets as a character of its own.
constexpr std::array<bool, 256> kQuotedEnd = Stops("\"\r\n");
constexpr std::array<bool, 256> kPlainEnd = Stops(",\r\n\"");
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// Where a field's text is in the scratch buffer (a file holds at most 64 MiB).
struct Span {
    int32_t from = 0;
    int32_t length = 0;
    int16_t common = -1;  // the common text it holds, or -1
};

// Reads the fields of a file, decoding each as it goes into one scratch
// buffer; each field's text is then copied out into a QString of its own.
class FieldReader {
public:
    FieldReader(const QByteArray& bytes, int maxFields, const QStringList& common)
        : p_(bytes.constData()), n_(bytes.size())
    {
        for (const QString& text : common) {
            common_.push_back({Cp932::Encode(text).bytes, text});
            if (!common_.back().first.isEmpty()) commonStart_[static_cast<unsigned char>(common_.back().first[0])] = true;
        }
        // Never more characters than bytes. The scratch space is kept for the
        // next file, unless it is a huge one; it is copied out before any text
        // is handed on.
        const qsizetype room = n_ + 1;
        constexpr qsizetype kKeptRoom = 1 << 20;
        thread_local std::vector<char16_t> kept;
        std::vector<char16_t>& scratch = room <= kKeptRoom ? kept : own_;
        if (scratch.size() < static_cast<std::size_t>(room)) scratch.resize(room);
        begin_ = out_ = scratch.data();
        spans_.reserve(maxFields);
    }

    bool AtEnd() const { return pos_ >= n_; }
    // Whether the rest of the input holds more than empty fields.
    bool AnythingLeft() const
    {
        return std::any_of(p_ + pos_, p_ + n_, [](char c) { return !std::strchr(" \t\",\r\n", c) || c == '\0'; });
    }
    bool Damaged() const { return damaged_; }

    void Next()
    {
        while (pos_ < n_ && (p_[pos_] == ' ' || p_[pos_] == '\t')) ++pos_;
        char16_t* const text = out_;
        int common = -1;
        if (pos_ < n_ && p_[pos_] == '"') {
            ++pos_;
            common = Common();
            if (common >= 0)
                pos_ += common_[common].first.size();
            else
                pos_ += decoder_.Until(p_ + pos_, n_ - pos_, kQuotedEnd, out_);
            if (pos_ < n_ && p_[pos_] == '"') {
                ++pos_;
                // Whatever follows the closing quote up to the delimiter.
                while (pos_ < n_ && p_[pos_] != ',' && !IsLineEnd(p_[pos_])) {
                    if (p_[pos_] != ' ' && p_[pos_] != '\t') damaged_ = true;
                    ++pos_;
                }
            } else {
                damaged_ = true;  // no closing quote before the line end
            }
        } else {
            const qsizetype start = pos_;
            pos_ += decoder_.Until(p_ + pos_, n_ - pos_, kPlainEnd, out_);
            if (pos_ < n_ && p_[pos_] == '"') {
                DropQuotes(start, text);
            } else {
                while (out_ > text && IsBlank(out_[-1])) --out_;
            }
        }
        ConsumeDelimiter();
        spans_.push_back({static_cast<int32_t>(text - begin_), static_cast<int32_t>(out_ - text),
                          static_cast<int16_t>(common)});
    }

    // Hands on the texts read, in pairs, with their record numbers.
    void Store(const std::function<void(int, QString&&, QString&&)>& store)
    {
        if (spans_.size() % 2) spans_.push_back({});
        auto text = [&](std::size_t i) {
            const Span& span = spans_[i];
            if (span.common >= 0) return common_[span.common].second;
            if (span.length == 0) return QString();
            return QString(reinterpret_cast<const QChar*>(begin_ + span.from), span.length);
        };
        for (std::size_t i = 0; i < spans_.size(); i += 2) store(static_cast<int>(i / 2), text(i), text(i + 1));
    }
    int Records() const { return static_cast<int>((spans_.size() + 1) / 2); }

private:
    // Which common text the quoted field at the read position holds whole.
    int Common() const
    {
        if (pos_ >= n_ || !commonStart_[static_cast<unsigned char>(p_[pos_])]) return -1;  // most fields
        for (std::size_t i = 0; i < common_.size(); ++i) {
            const QByteArray& bytes = common_[i].first;
            if (n_ - pos_ > bytes.size() && p_[pos_ + bytes.size()] == '"'
                && std::memcmp(p_ + pos_, bytes.constData(), bytes.size()) == 0)
                return static_cast<int>(i);
        }
        return -1;
    }

    // An unquoted field with double quotes in it: they are dropped, and the
    // bytes on either side of each meet and may read as another character, as
    // they will when the file is read again. Blanks before a quote stay.
    void DropQuotes(qsizetype start, char16_t* text)
    {
        while (pos_ < n_ && p_[pos_] != ',' && !IsLineEnd(p_[pos_])) ++pos_;
        qsizetype end = pos_;
        while (end > start && (p_[end - 1] == ' ' || p_[end - 1] == '\t')) --end;
        QByteArray joined(p_ + start, end - start);
        joined.removeIf([](char c) { return c == '"'; });
        out_ = text;
        decoder_.Until(joined.constData(), joined.size(), {}, out_);
        damaged_ = true;
    }

    void ConsumeDelimiter()
    {
        if (pos_ >= n_) return;
        if (p_[pos_] == ',') {
            ++pos_;
        } else if (p_[pos_] == '\r') {
            ++pos_;
            if (pos_ < n_ && p_[pos_] == '\n') ++pos_;
        } else if (p_[pos_] == '\n') {
            ++pos_;
        }
    }

    const char* p_;
    qsizetype n_;
    qsizetype pos_ = 0;
    bool damaged_ = false;
    std::vector<char16_t> own_;
    char16_t* begin_ = nullptr;
    char16_t* out_ = nullptr;
    const Cp932::Decoder decoder_;
    std::vector<Span> spans_;
    std::vector<std::pair<QByteArray, QString>> common_;  // each common text, as bytes and as itself
    std::array<bool, 256> commonStart_{};                 // the first bytes of the common texts
};

}  // namespace

bool Parse(const QByteArray& bytes, int maxRecords, const std::function<void(int, QString&&, QString&&)>& store,
           const QStringList& common)
{
    FieldReader reader(bytes, 2 * maxRecords, common);
    for (int record = 0; record < maxRecords && !reader.AtEnd(); ++record) {
        reader.Next();
        if (!reader.AtEnd()) reader.Next();
    }
    // Records past the last a file holds would be lost at the next save.
    const bool cut = reader.AnythingLeft();
    reader.Store(store);
    for (int record = reader.Records(); record < maxRecords; ++record) store(record, QString(), QString());
    return reader.Damaged() || cut;
}

QString TextProblem(const QString& text)
{
    if (text.contains(QLatin1Char('"')))
        return QStringLiteral("ダブルクォーテーション（\"）は使えません。");
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
        return QStringLiteral("改行は使えません。");
    const QString bad = Cp932::FirstUnrepresentable(text);
    if (!bad.isEmpty()) return Cp932::UnrepresentableMessage(bad);
    return {};
}

Image Serialize(int count, const std::function<const QString&(int, int)>& cell, const QString& fileName)
{
    Image image;
    image.bytes.reserve(count * 16);
    for (int record = 0; record < count; ++record) {
        for (int field = 0; field < 2; ++field) {
            const QString& text = cell(record, field);
            image.bytes.append(field == 0 ? "\"" : ",\"");
            if (!Cp932::AppendStorable(text, image.bytes)) {
                // Never write a cell short: the file would not read back as meant.
                const QString problem = TextProblem(text);
                image.bytes.clear();
                image.result = FileResult::Fail(problem.isEmpty() ? SaveFailedMessage(fileName)
                                                                  : UnstorableTextMessage(fileName, problem));
                return image;
            }
            image.bytes.append('"');
        }
        image.bytes.append("\r\n", 2);
    }
    return image;
}

QString SaveFailedMessage(const QString& fileName)
{
    return QStringLiteral("「%1」を保存できませんでした。フォルダに書き込めるか、ディスクに空きがあるかを確認してください。")
        .arg(fileName);
}

QString ReadFailedMessage(const QString& fileName)
{
    return QStringLiteral("「%1」を読み込めませんでした。ファイルが壊れているか、読み取りが許可されていない可能性があります。")
        .arg(fileName);
}

QString RepairedMessage(const QString& fileName)
{
    return QStringLiteral("「%1」の一部が壊れていたため、読み取れない部分を取り除きました。保存すると、この内容で書き込まれます。")
        .arg(fileName);
}

QString UnstorableTextMessage(const QString& fileName, const QString& problem)
{
    return QStringLiteral("「%1」を保存できませんでした。").arg(fileName) + problem;
}

}  // namespace Records
