#include "core/EventFile.h"

#include "core/EventKinds.h"
#include "core/ListRules.h"
#include "core/ProjectFiles.h"
#include "core/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace EventFile {

namespace {

// Moves the entry at `path` to the desktop's trash (freedesktop.org), so that
// a deleted item's events can be got back. QFile::moveToTrash renames the
// path it is given: a link goes to the trash as a link and what it points to
// stays where it is; a dangling link is refused there (it is removed instead).
// A folder under the name is never trashed whole.
//
// Qt 6.4 puts the entry into "files" under the current folder when it cannot
// set up the home trash, as when $XDG_DATA_HOME does not exist yet; so that
// folder is made first, and without a home trash that can be set up nothing is
// tried. A folder on another device has its own trash there, or none: then
// moving fails and the caller deletes.
bool MoveToTrash(const QString& path)
{
    const QFileInfo entry(path);
    if (entry.isDir() && !entry.isSymLink()) return false;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty() || !QDir().mkpath(data)) return false;
    if (!QFileInfo(data + QStringLiteral("/Trash")).isDir() && !QFileInfo(data).isWritable()) return false;
    return QFile::moveToTrash(path);
}

}  // namespace

QString NameOf(const Module1& m)
{
    if (m.ItemIndex < 1 || m.ItemIndex > Module1::kLastItemRow) return {};
    return m.ListTable[m.ItemIndex][2];
}

bool IsEventFileName(const QString& fileName)
{
    return ListRules::EventFileNumber(fileName) > 0;
}

bool Exists(const QString& folder, const QString& fileName)
{
    return IsEventFileName(fileName) && !ProjectFiles::FindFileNoCase(folder, fileName).isEmpty();
}

Records::Image Serialize(const EventRows& rows, const QString& fileName)
{
    return Records::Serialize(
        Module1::kFileRows, [&](int row, int field) -> const QString& { return rows[row][field]; }, fileName);
}

bool Parse(const QByteArray& bytes, EventRows& rows)
{
    // Every row of columns 0 and 1 is set, the old texts let go only as the
    // new ones arrive; column 2 is not part of the file.
    for (int row = 0; row < Module1::kRows; ++row) rows[row][2].clear();
    rows[Module1::kFileRows][0].clear();
    rows[Module1::kFileRows][1].clear();
    return Records::Parse(
        bytes, Module1::kFileRows, [&](int row, QString&& first, QString&& second) {
            rows[row][0] = std::move(first);
            rows[row][1] = std::move(second);
        },
        EventKinds::kAll);
}

FileResult Create(const QString& folder, const QString& fileName)
{
    if (folder.isEmpty() || !ProjectFiles::IsPlainFileName(fileName))
        return FileResult::Fail(CreateFailedMessage(fileName));
    QByteArray bytes;
    bytes.reserve(Module1::kFileRows * 7);
    for (int row = 0; row < Module1::kFileRows; ++row) bytes.append("\"\",\"\"\r\n", 7);
    if (!SaveFile::Write(folder + QLatin1Char('/') + fileName, bytes))
        return FileResult::Fail(CreateFailedMessage(fileName));
    return FileResult::Ok();
}

FileResult Read(const QString& folder, const QString& fileName, EventRows& rows)
{
    const QString name = IsEventFileName(fileName) ? ProjectFiles::FindFileNoCase(folder, fileName) : QString();
    QByteArray bytes;
    if (name.isEmpty() || !SaveFile::ReadAll(folder + QLatin1Char('/') + name, bytes))
        return FileResult::Fail(Records::ReadFailedMessage(name.isEmpty() ? fileName : name));
    FileResult result;
    if (Parse(bytes, rows)) result.notice = Records::RepairedMessage(name);
    return result;
}

FileResult Write(const QString& folder, const QString& fileName, const EventRows& rows)
{
    if (folder.isEmpty() || !IsEventFileName(fileName)) return FileResult::Fail(Records::SaveFailedMessage(fileName));
    // An existing file keeps its letter case; a link in its place is replaced.
    const QString existing = ProjectFiles::FindEntryNoCase(folder, fileName);
    const QString name = existing.isEmpty() ? fileName : existing;
    const Records::Image image = Serialize(rows, name);
    if (!image.result.ok) return image.result;
    if (!SaveFile::Write(folder + QLatin1Char('/') + name, image.bytes))
        return FileResult::Fail(Records::SaveFailedMessage(name));
    return FileResult::Ok();
}

FileResult Remove(const QString& folder, const QString& fileName)
{
    if (folder.isEmpty() || !ProjectFiles::IsPlainFileName(fileName)) return FileResult::Ok();
    const QString name = ProjectFiles::FindEntryNoCase(folder, fileName);
    if (name.isEmpty()) return FileResult::Ok();
    // A link is removed itself, never what it points to.
    const QString path = folder + QLatin1Char('/') + name;
    if (!MoveToTrash(path) && !QFile::remove(path))
        return FileResult::Fail(RemoveFailedMessage(name));
    return FileResult::Ok();
}

QString CreateFailedMessage(const QString& fileName)
{
    return QStringLiteral("「%1」を作成できませんでした。フォルダに書き込めるか、ディスクに空きがあるかを確認してください。")
        .arg(fileName);
}

QString RemoveFailedMessage(const QString& fileName)
{
    return QStringLiteral("「%1」を削除できませんでした。フォルダに書き込めるかを確認してください。").arg(fileName);
}

}  // namespace EventFile
