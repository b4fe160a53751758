#pragma once
// Files that came back from Windows: a zip made there holds names as CP932
// bytes, and unpacked here they keep those bytes, which are not UTF-8, so the
// show names files that the folder seems not to have. Found by the bytes on
// disk and renamed to the names those bytes mean.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace ForeignNames {

struct Misnamed {
    QByteArray raw;  // the name on disk
    QString proper;  // what those bytes say in CP932
};

// The ordinary files of `folder` (never a link) whose names are not UTF-8 but
// are CP932 for a name that the folder's list or one of its events names,
// and that the folder does not hold under that name in any letter case.
// Sorted by proper name. Empty when the folder has no list data to read.
QList<Misnamed> Find(const QString& folder);

// Renames each file to its proper name, never onto a name that is taken; a
// file that is no longer an ordinary file is left. The messages of the
// files that could not be renamed, one each.
QStringList Rename(const QString& folder, const QList<Misnamed>& files);

// Whether to rename `files`, each listed by its proper name.
QString RenameQuestion(const QList<Misnamed>& files);
// Why the file could not get its proper name, and what to look at.
QString RenameFailedMessage(const QString& proper);

}  // namespace ForeignNames
