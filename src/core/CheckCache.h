#pragma once
// What the show check learnt about each media file, kept between checks in
// the user's cache folder so that a second check of an unchanged show need not
// decode its photographs again. An entry is trusted only while the file's
// path, size, modification time (to the nanosecond) and inode are all as
// they were. A cache that cannot be read or written is simply not used.

#include "core/PictureHeaders.h"

#include <QHash>
#include <QString>

#include <optional>

namespace CheckCache {

// What is known about one file.
struct Facts {
    bool usable = false;            // decodes as a picture, or plays as a wav
    PictureHeaders::Facts headers;  // for a picture
};

// The identity of a file's current content as the file system tells it.
struct Stamp {
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint64 inode = 0;
    bool operator==(const Stamp&) const = default;
};
// The stamp of the ordinary file at `path` (through a link); nothing when
// there is none.
std::optional<Stamp> StampOf(const QString& path);

// "$XDG_CACHE_HOME/pelumo/check-cache" (or the desktop's default cache folder).
QString DefaultFile();

class Store {
public:
    // Loads `file`; one that is missing, unreadable or not a cache reads as empty.
    explicit Store(const QString& file);

    // What is known of the file at `path` with stamp `stamp`, if still true.
    std::optional<Facts> Find(const QString& path, const Stamp& stamp) const;
    void Put(const QString& path, const Stamp& stamp, const Facts& facts);

    // Writes the cache back when anything was added, atomically; false when
    // it could not (nothing else happens then). Entries not used since the
    // load are dropped once there are more than `kKeep`.
    bool Save();

    static constexpr int kKeep = 20000;

private:
    struct Entry {
        Stamp stamp;
        Facts facts;
        bool used = false;
    };
    QString file_;
    mutable QHash<QString, Entry> entries_;
    bool changed_ = false;
};

}  // namespace CheckCache
