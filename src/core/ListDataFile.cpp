#include "core/ListDataFile.h"

#include "core/ListRules.h"
#include "core/ProjectFiles.h"
#include "core/Records.h"
#include "core/SaveFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace ListDataFile {

QString Find(const QString& folder)
{
    return ProjectFiles::FindEntryNoCase(folder, kFileName);
}

QString FolderNamedBy(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir()) return QDir::cleanPath(info.absoluteFilePath());
    if (info.isFile() && !info.fileName().compare(kFileName, Qt::CaseInsensitive)) return QDir::cleanPath(info.absolutePath());
    return {};
}

Records::Image Serialize(const Module1& m, qint16 counter)
{
    const QString counterText = QString::number(counter);
    const QString existing = Find(m.ProjectFolder);
    const QString name = existing.isEmpty() ? kFileName : existing;
    return Records::Serialize(
        Module1::kFileRows,
        [&](int row, int field) -> const QString& {
            if (row == Module1::kCounterRow && field == 0) return counterText;
            return m.ListTable[row][field + 1];
        },
        name);
}

bool Parse(const QByteArray& bytes, Module1& m)
{
    // Every row of columns 1 and 2 is set, the old texts let go only as the
    // new ones arrive; the other columns are not part of the file.
    for (auto& row : m.ListTable) row[0].clear(), row[3].clear();
    m.ListTable[Module1::kFileRows][1].clear();
    m.ListTable[Module1::kFileRows][2].clear();
    return Records::Parse(bytes, Module1::kFileRows, [&](int row, QString&& first, QString&& second) {
        m.ListTable[row][1] = std::move(first);
        m.ListTable[row][2] = std::move(second);
    });
}

FileResult Read(Module1& m)
{
    const QString name = Find(m.ProjectFolder);
    if (name.isEmpty()) return FileResult::Fail(Records::ReadFailedMessage(kFileName));
    QByteArray bytes;
    if (!SaveFile::ReadAll(m.ProjectPath(name), bytes))
        return FileResult::Fail(Records::ReadFailedMessage(name));
    FileResult result;
    if (Parse(bytes, m)) result.notice = Records::RepairedMessage(name);
    return result;
}

FileResult Write(Module1& m)
{
    const QString existing = Find(m.ProjectFolder);
    const QString name = existing.isEmpty() ? kFileName : existing;
    const Records::Image image = Serialize(m, m.LastEventFileNumber);
    if (!image.result.ok) return image.result;
    if (m.ProjectFolder.isEmpty() || !SaveFile::Write(m.ProjectPath(name), image.bytes))
        return FileResult::Fail(Records::SaveFailedMessage(name));
    m.ListTable[Module1::kCounterRow][1] = QString::number(m.LastEventFileNumber);
    return FileResult::Ok();
}

qint16 CounterAfterLoad(const Module1& m)
{
    bool ok = false;
    const int stored = m.ListTable[Module1::kCounterRow][1].trimmed().toInt(&ok);
    int counter = (ok && stored >= 0 && stored <= 32767) ? stored : 0;

    for (int row = 1; row <= Module1::kLastItemRow; ++row) counter = std::max(counter, ListRules::EventFileNumber(m.ListTable[row][2]));
    return static_cast<qint16>(counter);
}

Loaded LoadProject(Module1& m, const QString& folder, LoadFor purpose)
{
    Loaded loaded;
    m.ProjectFolder = folder;
    loaded.missing = !Exists(folder);
    loaded.result = loaded.missing ? FileResult::Fail(Records::ReadFailedMessage(kFileName)) : Read(m);
    if (!loaded.result.ok) {
        m.ProjectFolder.clear();
        return loaded;
    }
    if (purpose == LoadFor::Editing) SaveFile::RemoveLeftovers(folder);
    m.LastEventFileNumber = CounterAfterLoad(m);
    return loaded;
}

QString NoSuchFolderMessage(const QString& path) { return QStringLiteral("フォルダ「%1」がありません。").arg(path); }

QString NotAFolderMessage(const QString& path) { return QStringLiteral("「%1」はフォルダではありません。").arg(path); }

QString NotAShowMessage(const QString& path) { return QStringLiteral("「%1」はフォルダでもリストデータ(listdata.pld)でもありません。").arg(path); }

QString NoSuchPathMessage(const QString& path) { return QStringLiteral("「%1」がありません。").arg(path); }

QString NoListDataMessage(const QString& folder)
{
    return QStringLiteral("フォルダ「%1」にリストデータ(listdata.pld)がありません。").arg(folder);
}

}  // namespace ListDataFile
