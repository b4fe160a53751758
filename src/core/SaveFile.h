#pragma once
// The one way project files are written and read: a save either puts the
// whole new file in place or leaves the old one as it was, and a read takes
// only an ordinary file of sensible size, whole.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace SaveFile {

// Writes `bytes` to `path` atomically. The bytes go to a hidden file beside
// it that no person would name (".NAME.pelumo-save-XXXXXX", created
// exclusively), are synced to the disk, and that file is then renamed over
// `path` and the folder synced: nothing half-written ever takes the name, and
// a power cut after the rename keeps the new file. A symbolic link at `path`
// is replaced by the file; nothing is written where it points. An existing
// file's permissions are kept. Returns false on any failure, after removing
// the hidden file; the old file is then untouched.
bool Write(const QString& path, const QByteArray& bytes);

// Write in two steps, for a file written in parts: OpenHidden creates the
// hidden file beside `path` and gives its descriptor (-1 on failure) and
// name; Finish syncs and closes it and renames it over `path` when
// `written` says every part went in, and otherwise, or when that fails,
// closes and removes it. Finish returns whether `path` has the new file.
int OpenHidden(const QString& path, QString& hidden);
bool Finish(int fd, const QString& hidden, const QString& path, bool written);

// Whether `fileName` is a name that Write gives its hidden files.
bool IsLeftoverName(const QString& fileName);

// Removes from `folder` the ordinary files (never links or folders) whose
// names are of Write's hidden form: what a save cut short by a crash or a
// power cut left behind. Nothing else is ever removed. Returns the names
// removed.
QStringList RemoveLeftovers(const QString& folder);

// The seam through which tests make writing fail or stop: the hook is asked
// before each operation ("open", each "write" of a part, "sync", "close",
// "rename") and a true answer makes that operation fail. None is set in the
// program.
void SetFaultHook(std::function<bool(const char* operation)> hook);

// The most a project file may hold. Files written by the editor are about
// 40 KB; anything larger than this is not a project file.
inline constexpr qint64 kReadLimit = 64 * 1024 * 1024;

// Reads the whole ordinary file at `path` (through a link, if it is one).
// False when it cannot be read, is not an ordinary file, or holds more than
// `limit` bytes: nothing is ever cut.
bool ReadAll(const QString& path, QByteArray& bytes, qint64 limit = kReadLimit);

// Made once at the start of the program, before anything is saved. A file
// that grows past the process's file-size limit would otherwise end the
// program with SIGXFSZ in the middle of a save, the user's edits with it; with
// the signal ignored the write fails and the save says so, as on a full disk.
void PrepareProcess();

}  // namespace SaveFile
