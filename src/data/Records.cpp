#include "data/Records.h"

#include "data/Cp932.h"

#include <QFile>
#include <QSaveFile>

namespace Records {

namespace {

bool IsLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }
bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

class FieldReader {
public:
    explicit FieldReader(const QString& text) : s_(text) {}

    bool AtEnd() const { return pos_ >= s_.size(); }

    QString Next()
    {
        const qsizetype n = s_.size();
        while (pos_ < n && IsBlank(s_[pos_])) ++pos_;
        QString value;
        if (pos_ < n && s_[pos_] == QLatin1Char('"')) {
            const qsizetype start = pos_ + 1;
            const qsizetype close = s_.indexOf(QLatin1Char('"'), start);
            if (close < 0) {
                value = s_.mid(start);
                pos_ = n;
            } else {
                value = s_.mid(start, close - start);
                pos_ = close + 1;
                while (pos_ < n && s_[pos_] != QLatin1Char(',') && !IsLineEnd(s_[pos_])) ++pos_;
            }
        } else {
            const qsizetype start = pos_;
            while (pos_ < n && s_[pos_] != QLatin1Char(',') && !IsLineEnd(s_[pos_])) ++pos_;
            qsizetype end = pos_;
            while (end > start && IsBlank(s_[end - 1])) --end;
            value = s_.mid(start, end - start);
        }
        ConsumeDelimiter();
        return value;
    }

private:
    void ConsumeDelimiter()
    {
        const qsizetype n = s_.size();
        if (pos_ >= n) return;
        if (s_[pos_] == QLatin1Char(',')) {
            ++pos_;
        } else if (s_[pos_] == QLatin1Char('\r')) {
            ++pos_;
            if (pos_ < n && s_[pos_] == QLatin1Char('\n')) ++pos_;
        } else if (s_[pos_] == QLatin1Char('\n')) {
            ++pos_;
        }
    }

    const QString& s_;
    qsizetype pos_ = 0;
};

}  // namespace

void Parse(const QByteArray& bytes, int maxRecords,
           const std::function<void(int, const QString&, const QString&)>& store)
{
    const QString text = Cp932::Decode(bytes);
    FieldReader reader(text);
    for (int record = 0; record < maxRecords && !reader.AtEnd(); ++record) {
        const QString first = reader.Next();
        const QString second = reader.AtEnd() ? QString() : reader.Next();
        store(record, first, second);
    }
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

Image Serialize(int count, const std::function<QString(int, int)>& cell, const QString& fileName)
{
    Image image;
    image.bytes.reserve(count * 16);
    for (int record = 0; record < count; ++record) {
        for (int field = 0; field < 2; ++field) {
            const QString text = cell(record, field);
            const QString problem = TextProblem(text);
            if (!problem.isEmpty()) {
                image.bytes.clear();
                image.result = FileResult::Fail(
                    QStringLiteral("「%1」を保存できませんでした。").arg(fileName) + problem);
                return image;
            }
            const Cp932::Encoded encoded = Cp932::Encode(text);
            if (field == 1) image.bytes.append(',');
            image.bytes.append('"');
            image.bytes.append(encoded.bytes);
            image.bytes.append('"');
        }
        image.bytes.append("\r\n", 2);
    }
    return image;
}

bool WriteAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) return false;
    // QSaveFile buffers, and commit() does not notice a write that fails while
    // its buffer is flushed (a full disk, a size limit): it would put a cut
    // file in place of the old one. Flush and check before committing.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool ReadAll(const QString& path, QByteArray& bytes, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    bytes = file.read(limit);
    return file.error() == QFileDevice::NoError;
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

}  // namespace Records
