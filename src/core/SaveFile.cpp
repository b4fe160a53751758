#include "core/SaveFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace SaveFile {

namespace {

const QString kHiddenMark = QStringLiteral(".pelumo-save-");

std::function<bool(const char*)> g_faultHook;

// Whether the operation is to fail: only ever under a test's fault hook.
bool Fails(const char* operation) { return g_faultHook && g_faultHook(operation); }

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

// Creates the hidden file beside `path` that the save writes, under a name
// that nothing in the folder has; the name goes to `hidden`. -1 on failure.
int CreateHidden(const QString& path, QString& hidden)
{
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    const QFileInfo target(path);
    const QString stem = target.path() + QStringLiteral("/.") + target.fileName() + kHiddenMark;
    for (int attempt = 0; attempt < 100; ++attempt) {
        hidden = stem;
        for (int i = 0; i < 6; ++i) hidden += QLatin1Char(kChars[QRandomGenerator::global()->bounded(62)]);
        // Exclusive: never a file or a link that is already there.
        const int fd = ::open(Native(hidden).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

bool WriteWhole(int fd, const QByteArray& bytes)
{
    constexpr qsizetype kChunk = 4096;
    for (qsizetype at = 0; at < bytes.size();) {
        if (Fails("write")) return false;
        const ssize_t n = ::write(fd, bytes.constData() + at, std::min(kChunk, bytes.size() - at));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;  // a full disk, a size limit
        at += n;
    }
    return true;
}

// After the rename the new file has the name; syncing the folder makes the
// rename itself survive a power cut. A folder that cannot be synced does not
// undo the save.
void SyncFolder(const QString& path)
{
    const int fd = ::open(Native(QFileInfo(path).path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

void SetFaultHook(std::function<bool(const char* operation)> hook)
{
    g_faultHook = std::move(hook);
}

bool Write(const QString& path, const QByteArray& bytes)
{
    QString hidden;
    const int fd = OpenHidden(path, hidden);
    if (fd < 0) return false;
    return Finish(fd, hidden, path, WriteWhole(fd, bytes));
}

int OpenHidden(const QString& path, QString& hidden)
{
    if (Fails("open")) return -1;
    const int fd = CreateHidden(path, hidden);
    if (fd < 0) return -1;
    // The file keeps who may read it; a link's target is not asked.
    struct stat old;
    if (::lstat(Native(path).constData(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
    return fd;
}

bool Finish(int fd, const QString& hidden, const QString& path, bool written)
{
    bool ok = written && !Fails("sync") && ::fsync(fd) == 0;
    // close() can be the first to report a failed write on some file systems.
    ok = !Fails("close") && ::close(fd) == 0 && ok;
    // rename() replaces a link at `path` itself, never what it points to.
    ok = ok && !Fails("rename") && ::rename(Native(hidden).constData(), Native(path).constData()) == 0;
    if (!ok) {
        ::unlink(Native(hidden).constData());
        return false;
    }
    SyncFolder(path);
    return true;
}

bool IsLeftoverName(const QString& fileName)
{
    static const QRegularExpression form(QStringLiteral("^\\..+\\.pelumo-save-[A-Za-z0-9]{6}$"));
    return form.match(fileName).hasMatch();
}

QStringList RemoveLeftovers(const QString& folder)
{
    QStringList removed;
    if (folder.isEmpty()) return removed;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks, QDir::Name)) {
        if (!IsLeftoverName(name)) continue;
        struct stat st;
        const QByteArray path = Native(dir.filePath(name));
        if (::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(path.constData()) == 0)
            removed << name;
    }
    return removed;
}

bool ReadAll(const QString& path, QByteArray& bytes, qint64 limit)
{
    // Only ordinary files: a pipe or a device named like a project file would
    // block the window or never end. Opened without waiting (a pipe would wait
    // for a writer), then asked what it is.
    bytes.clear();
    const int fd = ::open(Native(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st;
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= limit;
    if (ok) {
        // By its size, with room to see the end, and on if it grew meanwhile.
        QByteArray data(st.st_size + 1, Qt::Uninitialized);
        qint64 got = 0;
        for (;;) {
            if (got == data.size()) {
                if (got > limit) break;
                data.resize(std::min<qint64>(2 * got + 4096, limit + 1));
            }
            const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                ok = n == 0;
                break;
            }
            got += n;
        }
        ok = ok && got <= limit;
        if (ok) {
            data.resize(got);
            bytes = std::move(data);
        }
    }
    ::close(fd);
    return ok;
}

void PrepareProcess()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace SaveFile
