#include "core/EventFile.h"

#include "core/ProjectFiles.h"

#include <QFile>

namespace EventFile {

namespace {

QString CreateFailedMessage(const QString& fileName)
{
    return QStringLiteral("「%1」を作成できませんでした。フォルダに書き込めるか、ディスクに空きがあるかを確認してください。")
        .arg(fileName);
}

}  // namespace

QString NameOf(const Module1& m)
{
    if (m.ItemIndex < 1 || m.ItemIndex > Module1::kLastItemRow) return {};
    return m.ListTable[m.ItemIndex][2];
}

bool HasPlainName(const Module1& m)
{
    return ProjectFiles::IsPlainFileName(NameOf(m));
}

bool Exists(const Module1& m)
{
    return !ProjectFiles::FindFileNoCase(m.ProjectFolder, NameOf(m)).isEmpty();
}

Records::Image Serialize(const Module1& m)
{
    return Records::Serialize(
        Module1::kFileRows, [&](int row, int field) { return m.EventTable[row][field]; }, NameOf(m));
}

bool Parse(const QByteArray& bytes, Module1& m)
{
    m.ClearEventTable();
    return Records::Parse(bytes, Module1::kRows, [&](int row, const QString& first, const QString& second) {
        m.EventTable[row][0] = first;
        m.EventTable[row][1] = second;
    });
}

FileResult Create(const QString& folder, const QString& fileName)
{
    if (folder.isEmpty() || !ProjectFiles::IsPlainFileName(fileName))
        return FileResult::Fail(CreateFailedMessage(fileName));
    QByteArray bytes;
    bytes.reserve(Module1::kFileRows * 7);
    for (int row = 0; row < Module1::kFileRows; ++row) bytes.append("\"\",\"\"\r\n", 7);
    if (!Records::WriteAtomically(folder + QLatin1Char('/') + fileName, bytes))
        return FileResult::Fail(CreateFailedMessage(fileName));
    return FileResult::Ok();
}

FileResult Read(Module1& m)
{
    const QString name = ProjectFiles::FindFileNoCase(m.ProjectFolder, NameOf(m));
    QByteArray bytes;
    if (name.isEmpty() || !Records::ReadAll(m.ProjectPath(name), bytes))
        return FileResult::Fail(Records::ReadFailedMessage(name.isEmpty() ? NameOf(m) : name));
    FileResult result;
    if (Parse(bytes, m)) result.notice = Records::RepairedMessage(name);
    return result;
}

FileResult Write(const Module1& m)
{
    const QString fileName = NameOf(m);
    if (m.ProjectFolder.isEmpty() || !ProjectFiles::IsPlainFileName(fileName))
        return FileResult::Fail(Records::SaveFailedMessage(fileName));
    // An existing file keeps its letter case; a link in its place is replaced.
    const QString existing = ProjectFiles::FindEntryNoCase(m.ProjectFolder, fileName);
    const QString name = existing.isEmpty() ? fileName : existing;
    const Records::Image image = Serialize(m);
    if (!image.result.ok) return image.result;
    if (!Records::WriteAtomically(m.ProjectPath(name), image.bytes))
        return FileResult::Fail(Records::SaveFailedMessage(name));
    return FileResult::Ok();
}

FileResult Remove(const QString& folder, const QString& fileName)
{
    if (folder.isEmpty() || !ProjectFiles::IsPlainFileName(fileName)) return FileResult::Ok();
    const QString name = ProjectFiles::FindEntryNoCase(folder, fileName);
    if (name.isEmpty()) return FileResult::Ok();
    // A link is removed itself, never what it points to.
    if (!QFile::remove(folder + QLatin1Char('/') + name))
        return FileResult::Fail(
            QStringLiteral("「%1」を削除できませんでした。フォルダに書き込めるかを確認してください。").arg(name));
    return FileResult::Ok();
}

}  // namespace EventFile
