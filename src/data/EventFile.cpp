#include "data/EventFile.h"

#include "data/Records.h"
#include "platform/ProjectFiles.h"

#include <QFile>
#include <QFileInfo>

namespace EventFile {

namespace {

QString ItemFileName(const Module1& m)
{
    if (m.ItemIndex < 0 || m.ItemIndex >= Module1::kRows) return {};
    return m.ListTable[m.ItemIndex][2];
}

// The name of the file on disk: the exact name, or the same name in another
// letter case; empty when there is no such file.
QString ExistingName(const QString& folder, const QString& fileName)
{
    return ProjectFiles::FindFileNoCase(folder, fileName);
}

QString CreateFailedMessage(const QString& fileName)
{
    return QStringLiteral("「%1」を作成できませんでした。フォルダに書き込めるか、ディスクに空きがあるかを確認してください。")
        .arg(fileName);
}

}  // namespace

Image Serialize(const Module1& m)
{
    const Records::Image image = Records::Serialize(
        Module1::kFileRows, [&](int row, int field) { return m.EventTable[row][field]; },
        ItemFileName(m));
    return {image.bytes, image.result};
}

void Parse(const QByteArray& bytes, Module1& m)
{
    m.ClearEventTable();
    Records::Parse(bytes, Module1::kRows, [&](int row, const QString& first, const QString& second) {
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

ReadResult Read(Module1& m)
{
    const QString name = ExistingName(m.ProjectFolder, ItemFileName(m));
    if (name.isEmpty()) return {ReadStatus::Missing, QString()};
    QByteArray bytes;
    if (!Records::ReadAll(m.ProjectPath(name), bytes))
        return {ReadStatus::Failed, Records::ReadFailedMessage(name)};
    Parse(bytes, m);
    return {ReadStatus::Ok, QString()};
}

FileResult Write(const Module1& m)
{
    const QString fileName = ItemFileName(m);
    if (m.ProjectFolder.isEmpty() || !ProjectFiles::IsPlainFileName(fileName))
        return FileResult::Fail(Records::SaveFailedMessage(fileName));
    const QString existing = ExistingName(m.ProjectFolder, fileName);
    const QString name = existing.isEmpty() ? fileName : existing;
    const Image image = Serialize(m);
    if (!image.result.ok) return image.result;
    if (!Records::WriteAtomically(m.ProjectPath(name), image.bytes))
        return FileResult::Fail(Records::SaveFailedMessage(name));
    return FileResult::Ok();
}

FileResult Remove(const QString& folder, const QString& fileName)
{
    if (folder.isEmpty() || !ProjectFiles::IsPlainFileName(fileName)) return FileResult::Ok();
    const QString name = ExistingName(folder, fileName);
    if (name.isEmpty()) return FileResult::Ok();
    if (!QFile::remove(folder + QLatin1Char('/') + name))
        return FileResult::Fail(
            QStringLiteral("「%1」を削除できませんでした。フォルダに書き込めるかを確認してください。").arg(name));
    return FileResult::Ok();
}

}  // namespace EventFile
