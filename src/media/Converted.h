#pragma once
// What the importer makes of one source before it is named: the whole file,
// written hidden in the project folder, and the extension its name takes; or
// why the source is refused. Shared by the picture and sound converters.

#include "core/NewFile.h"

#include <QString>

#include <atomic>
#include <memory>

namespace Converted {

struct File {
    std::unique_ptr<NewFile> file;  // hidden until named; removed with it when not
    QString extension;              // "jpg", "gif", "bmp" or "wav"
    QString reason;                 // why it was refused; empty when it was not
};

inline File Refused(const QString& reason) { return {nullptr, {}, reason}; }

// Whether the import was cancelled: asked between the steps of decoding and
// writing.
using Cancel = std::atomic<bool>;

// Copies the source byte for byte into a new hidden file of the folder.
File Copy(const QString& source, const QString& folder, const QString& extension, const Cancel& cancel);

// The largest picture the player shows whole; larger ones are made smaller.
inline constexpr int kMaxWidth = 1920;
inline constexpr int kMaxHeight = 1440;

// Reasons, each a whole sentence or two that says what to do.
inline QString CancelledReason() { return QStringLiteral("取り込みを取り消しました。"); }
inline QString WriteFailedReason()
{
    return QStringLiteral("プロジェクトのフォルダに書き込めませんでした。書き込みが許可されているか、ディスクに空きがあるかを確認してください。");
}
inline QString UnreadableReason()
{
    return QStringLiteral("ファイルを読み取れませんでした。読み取りが許可されているかを確認してください。");
}

}  // namespace Converted
