#include "core/CheckCache.h"

#include "core/SaveFile.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <sys/stat.h>

namespace CheckCache {

namespace {

constexpr quint32 kMagic = 0x50434331;  // "PCC1"
constexpr qint64 kMaxCacheBytes = 16 * 1024 * 1024;

QDataStream& operator<<(QDataStream& out, const Facts& f)
{
    const PictureHeaders::Facts& h = f.headers;
    return out << f.usable << qint32(h.format) << h.progressive << h.arithmetic << h.lossless << qint32(h.precision)
               << qint32(h.components) << qint32(h.orientation) << qint32(h.bmpBits) << qint32(h.bmpCompression);
}

QDataStream& operator>>(QDataStream& in, Facts& f)
{
    PictureHeaders::Facts& h = f.headers;
    qint32 format = 0;
    qint32 precision = 0;
    qint32 components = 0;
    qint32 orientation = 0;
    qint32 bmpBits = 0;
    qint32 bmpCompression = 0;
    in >> f.usable >> format >> h.progressive >> h.arithmetic >> h.lossless >> precision >> components >> orientation
        >> bmpBits >> bmpCompression;
    h.format = PictureHeaders::Format(format);
    h.precision = precision;
    h.components = components;
    h.orientation = orientation;
    h.bmpBits = bmpBits;
    h.bmpCompression = bmpCompression;
    return in;
}

}  // namespace

std::optional<Stamp> StampOf(const QString& path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return Stamp{st.st_size, qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec, st.st_ino};
}

QString DefaultFile()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/pelumo/check-cache");
}

Store::Store(const QString& file) : file_(file)
{
    QByteArray bytes;
    if (file_.isEmpty() || !SaveFile::ReadAll(file_, bytes, kMaxCacheBytes)) return;
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    qint32 count = 0;
    in >> magic >> count;
    if (magic != kMagic || count < 0) return;
    for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        QString path;
        Entry entry;
        in >> path >> entry.stamp.size >> entry.stamp.modifiedNs >> entry.stamp.inode >> entry.facts;
        if (in.status() == QDataStream::Ok) entries_.insert(path, entry);
    }
    if (in.status() != QDataStream::Ok) entries_.clear();  // damaged: start afresh
}

std::optional<Facts> Store::Find(const QString& path, const Stamp& stamp) const
{
    const auto it = entries_.find(path);
    if (it == entries_.end() || !(it->stamp == stamp)) return std::nullopt;
    it->used = true;
    return it->facts;
}

void Store::Put(const QString& path, const Stamp& stamp, const Facts& facts)
{
    entries_.insert(path, {stamp, facts, true});
    changed_ = true;
}

bool Store::Save()
{
    if (!changed_ || file_.isEmpty()) return true;
    if (entries_.size() > kKeep) entries_.removeIf([](const auto& entry) { return !entry.value().used; });
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << qint32(entries_.size());
    for (auto it = entries_.cbegin(); it != entries_.cend(); ++it)
        out << it.key() << it->stamp.size << it->stamp.modifiedNs << it->stamp.inode << it->facts;
    if (!QDir().mkpath(QFileInfo(file_).path()) || !SaveFile::Write(file_, bytes)) return false;
    changed_ = false;
    return true;
}

}  // namespace CheckCache
