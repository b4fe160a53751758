#pragma once
// File-system helpers for the project folder. Names are compared without
// regard to letter case, as the player and the files' origin expect.

#include <QString>
#include <QStringList>

namespace ProjectFiles {

// True for a plain file name inside the folder: not empty, no "/" or "\",
// not "." or "..", no stand-in for a byte that was not CP932. Names read from
// project files are used only when this holds; any other name counts as a
// missing file and is never created, written or deleted.
bool IsPlainFileName(const QString& name);

// A plain file name that a project file can hold and gives back unchanged
// after a save and a load: what the editor offers and stores as a file name.
bool IsStorableName(const QString& name);

// The actual name of any entry in `folder` (file, folder, link, even a
// dangling one) whose name equals `name` ignoring letter case; an exact match
// wins. Empty when there is none or `name` is not a plain file name.
QString FindEntryNoCase(const QString& folder, const QString& name);

// The actual name of the ordinary file in `folder` whose name equals `name`
// ignoring letter case (an exact match wins); empty when there is none or when
// `name` is not a plain file name.
QString FindFileNoCase(const QString& folder, const QString& name);

// Whether an ordinary, non-hidden file in `folder` matches the wildcard
// `pattern` ("*" and "?"), letter case ignored. Folders never count.
bool AnyFileMatches(const QString& folder, const QString& pattern);

// The ordinary, non-hidden files of `folder` matching any of the patterns
// separated by ";" (for example "*.gif;*.jpg;*.bmp"), case ignored, sorted by
// name.
QStringList ListFiles(const QString& folder, const QString& patterns);

// Why Windows cannot hold a file named `name`, as a sentence for the user, or
// an empty string when it can: a device name (CON, PRN, AUX, NUL, COM1..COM9,
// LPT1..LPT9) with any extension, in any letter case; one of < > : " / \ | ? *
// or a control character; a dot or a blank at the end; more than 255 UTF-16
// units.
QString WindowsNameProblem(const QString& name);

// Why the file picker does not take a file: its name is one Windows cannot
// hold (`why`, from WindowsNameProblem), or another file of the folder
// differs from it only in letter case.
QString PickedNameMessage(const QString& name, const QString& why);
QString PickedCaseTwinMessage(const QString& name, const QString& other);

// The folder chooser's message for a drive that cannot be opened.
QString DriveNotReadyMessage();

}  // namespace ProjectFiles
