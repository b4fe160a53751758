#include "core/Records.h"

#include "core/Cp932.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>

namespace Records {

namespace {

bool IsLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }
bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

class FieldReader {
public:
    explicit FieldReader(const QString& text) : s_(text) {}

    bool AtEnd() const { return pos_ >= s_.size(); }
    bool Damaged() const { return damaged_; }

    QString Next()
    {
        const qsizetype n = s_.size();
        while (pos_ < n && IsBlank(s_[pos_])) ++pos_;
        QString value;
        if (pos_ < n && s_[pos_] == QLatin1Char('"')) {
            ++pos_;
            const qsizetype start = pos_;
            while (pos_ < n && s_[pos_] != QLatin1Char('"') && !IsLineEnd(s_[pos_])) ++pos_;
            value = s_.mid(start, pos_ - start);
            if (pos_ < n && s_[pos_] == QLatin1Char('"')) {
                ++pos_;
                // Whatever follows the closing quote up to the delimiter.
                while (pos_ < n && s_[pos_] != QLatin1Char(',') && !IsLineEnd(s_[pos_])) {
                    if (!IsBlank(s_[pos_])) damaged_ = true;
                    ++pos_;
                }
            } else {
                damaged_ = true;  // no closing quote before the line end
            }
        } else {
            const qsizetype start = pos_;
            while (pos_ < n && s_[pos_] != QLatin1Char(',') && !IsLineEnd(s_[pos_])) ++pos_;
            qsizetype end = pos_;
            while (end > start && IsBlank(s_[end - 1])) --end;
            value = s_.mid(start, end - start);
            if (value.contains(QLatin1Char('"'))) {
                // The bytes on either side of the quote now meet and may read
                // as another character: read them again as the file will.
                value.remove(QLatin1Char('"'));
                value = Cp932::Decode(Cp932::Encode(value).bytes);
                damaged_ = true;
            }
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
    bool damaged_ = false;
};

}  // namespace

bool Parse(const QByteArray& bytes, int maxRecords,
           const std::function<void(int, const QString&, const QString&)>& store)
{
    const QString text = Cp932::Decode(bytes);
    FieldReader reader(text);
    for (int record = 0; record < maxRecords && !reader.AtEnd(); ++record) {
        const QString first = reader.Next();
        const QString second = reader.AtEnd() ? QString() : reader.Next();
        store(record, first, second);
    }
    return reader.Damaged();
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
            if (!encoded.ok) {  // TextProblem let it through: never write a cell short
                image.bytes.clear();
                image.result = FileResult::Fail(QStringLiteral("「%1」を保存できませんでした。").arg(fileName)
                                                + Cp932::UnrepresentableMessage(encoded.badChar));
                return image;
            }
            if (field == 1) image.bytes.append(',');
            image.bytes.append('"');
            image.bytes.append(encoded.bytes);
            image.bytes.append('"');
        }
        image.bytes.append("\r\n", 2);
    }
    return image;
}

namespace {

std::function<bool(const char*)> g_faultHook;

// Whether the operation is to fail: only ever under a test's fault hook.
bool Fails(const char* operation) { return g_faultHook && g_faultHook(operation); }

bool SaveWhole(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (Fails("open") || !file.open(QIODevice::WriteOnly)) return false;
    // QSaveFile buffers, and commit() does not notice a write that fails while
    // its buffer is flushed (a full disk, a size limit): it would put a cut
    // file in place of the old one. Flush and check before committing.
    constexpr qsizetype kChunk = 4096;
    bool written = true;
    for (qsizetype at = 0; written && at < bytes.size(); at += kChunk) {
        const qsizetype n = std::min(kChunk, bytes.size() - at);
        written = !Fails("write") && file.write(bytes.constData() + at, n) == n;
    }
    if (!written || Fails("flush") || !file.flush() || file.error() != QFileDevice::NoError || Fails("commit")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

// A name beside `path` that nothing in the folder uses, not even a link, of
// the form the editor recognises as its own leftover: NAME.XXXXXX.
QString UnusedNameBeside(const QString& path)
{
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (;;) {
        QString candidate = path + QLatin1Char('.');
        for (int i = 0; i < 6; ++i) candidate += QLatin1Char(kChars[QRandomGenerator::global()->bounded(62)]);
        if (!QFileInfo(candidate).exists() && !QFileInfo(candidate).isSymLink()) return candidate;
    }
}

}  // namespace

void SetWriteFaultHook(std::function<bool(const char* operation)> hook)
{
    g_faultHook = std::move(hook);
}

bool WriteAtomically(const QString& path, const QByteArray& bytes)
{
    // QSaveFile writes to where a symbolic link points, wherever that is, and
    // creates the target of a dangling one. A link in the folder is replaced
    // instead: the file is saved under a fresh name beside it and renamed over
    // the link, which rename() replaces itself without following it.
    if (!QFileInfo(path).isSymLink()) return SaveWhole(path, bytes);
    const QString fresh = UnusedNameBeside(path);
    if (!SaveWhole(fresh, bytes)) return false;
    if (Fails("rename")
        || ::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(path).constData()) != 0) {
        QFile::remove(fresh);
        return false;
    }
    return true;
}

bool ReadAll(const QString& path, QByteArray& bytes, qint64 limit)
{
    // Only ordinary files: a pipe or a device named like a project file would
    // block the window or never end.
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > limit) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() > limit) {
        bytes.clear();
        return false;
    }
    return true;
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

}  // namespace Records
