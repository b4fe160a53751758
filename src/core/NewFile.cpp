#include "core/NewFile.h"

#include "core/SaveFile.h"

#include <QFile>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

}  // namespace

NewFile::NewFile(const QString& folder) : folder_(folder)
{
    fd_ = SaveFile::OpenHidden(folder + QStringLiteral("/import"), hidden_);
}

NewFile::~NewFile()
{
    if (fd_ >= 0) ::close(fd_);
    if (!named_ && !hidden_.isEmpty()) ::unlink(Native(hidden_).constData());
}

bool NewFile::Append(const char* data, qint64 size)
{
    while (size > 0 && fd_ >= 0) {
        const ssize_t n = ::write(fd_, data, size_t(size));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;  // a full disk, a size limit
        data += n;
        size -= n;
    }
    return fd_ >= 0;
}

bool NewFile::Overwrite(qint64 pos, const QByteArray& bytes)
{
    return fd_ >= 0 && ::pwrite(fd_, bytes.constData(), size_t(bytes.size()), pos) == bytes.size();
}

NewFile::Named NewFile::GiveName(const QString& name)
{
    if (fd_ < 0 || named_) return Named::Failed;
    if (::fsync(fd_) != 0) return Named::Failed;
    const QByteArray from = Native(hidden_);
    const QByteArray to = Native(folder_ + QLatin1Char('/') + name);
    int rc = ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE);
    // A file system that cannot rename without replacing can still link: a
    // link never replaces a name either.
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
        rc = ::link(from.constData(), to.constData());
        if (rc == 0) ::unlink(from.constData());
    }
    if (rc != 0) return errno == EEXIST ? Named::Taken : Named::Failed;
    named_ = true;
    const int dir = ::open(Native(folder_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return Named::Done;
}
