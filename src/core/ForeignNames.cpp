#include "core/ForeignNames.h"

#include "core/Cp932.h"
#include "core/ListDataFile.h"
#include "core/ProjectFiles.h"
#include "core/ShowFiles.h"

#include <QFile>
#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ForeignNames {

namespace {

bool IsUtf8(const QByteArray& raw)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    [[maybe_unused]] const QString text = utf8(raw);
    return !utf8.hasError();
}

// The name `raw` means in CP932, or an empty string when it is not CP932
// (Decode keeps such bytes as stand-ins, which no plain file name holds).
QString FromCp932(const QByteArray& raw)
{
    const QString name = Cp932::Decode(raw);
    return ProjectFiles::IsPlainFileName(name) ? name : QString();
}

bool IsOrdinaryFile(int folderFd, const char* name)
{
    struct stat st;
    return ::fstatat(folderFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode);
}

// Renames without ever replacing: the kernel's no-replace rename, or where
// the file system has none, a second link and then the old name removed.
bool RenameNoReplace(int folderFd, const char* from, const char* to)
{
    if (::renameat2(folderFd, from, folderFd, to, RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return false;
    if (::linkat(folderFd, from, folderFd, to, 0) != 0) return false;
    return ::unlinkat(folderFd, from, 0) == 0;
}

}  // namespace

QList<Misnamed> Find(const QString& folder)
{
    auto m = std::make_unique<Module1>();
    m->ProjectFolder = folder;
    if (!ListDataFile::Exists(folder) || !ListDataFile::Read(*m).ok) return {};
    QHash<QString, QString> wanted;  // case-folded name -> the name the show uses
    for (const QString& name : ShowFiles::MissingNames(ShowFiles::Collect(*m))) wanted.insert(name.toCaseFolded(), name);
    if (wanted.isEmpty()) return {};

    QList<Misnamed> found;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir) return {};
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray raw(entry->d_name);
        if (IsUtf8(raw)) continue;
        const QString proper = FromCp932(raw);
        const QString folded = proper.toCaseFolded();
        if (proper.isEmpty() || !wanted.contains(folded) || !IsOrdinaryFile(::dirfd(dir), entry->d_name)) continue;
        // Two such files for one name (CP932 writes a few characters two
        // ways): the first is renamed, the other stays.
        wanted.remove(folded);
        if (ProjectFiles::FindEntryNoCase(folder, proper).isEmpty()) found.append({raw, proper});
    }
    ::closedir(dir);
    std::sort(found.begin(), found.end(), [](const Misnamed& a, const Misnamed& b) { return a.proper < b.proper; });
    return found;
}

QStringList Rename(const QString& folder, const QList<Misnamed>& files)
{
    QStringList failed;
    const int folderFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    for (const Misnamed& f : files) {
        if (folderFd >= 0 && IsOrdinaryFile(folderFd, f.raw.constData())
            && RenameNoReplace(folderFd, f.raw.constData(), QFile::encodeName(f.proper).constData()))
            continue;
        failed << RenameFailedMessage(f.proper);
    }
    if (folderFd >= 0) ::close(folderFd);
    return failed;
}

QString RenameQuestion(const QList<Misnamed>& files)
{
    QStringList names;
    for (const Misnamed& f : files) names << QStringLiteral("「%1」").arg(f.proper);
    return QStringLiteral("Windows で付けられたままで名前が読めないファイルが %1 個あります。ショーで使えるように、次の名前に直しますか？\n")
               .arg(files.size())
        + names.join(QStringLiteral("、"));
}

QString RenameFailedMessage(const QString& proper)
{
    return QStringLiteral("「%1」に名前を直せませんでした。同じ名前のものがないか、フォルダに書き込めるかを確かめてください。")
        .arg(proper);
}

}  // namespace ForeignNames
