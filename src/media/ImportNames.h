#pragma once
// Names of the files the importer adds: names that the player's system and
// the project's files can hold, and that nothing in the folder has.

#include <QString>

namespace ImportNames {

// The name for a file that was `sourceName` and is brought in as
// `extension` ("jpg", "gif", "bmp" or "wav"): the source's name without its
// extension, each character that CP932 or Windows cannot hold in a name
// (< > : " / \ | ? * and control characters) made "_", a trailing dot or
// space dropped, a leading dot (a hidden file here) made "_", a device name of
// Windows (CON, PRN, AUX, NUL, COM1-9, LPT1-9, any letter case) before the
// first dot followed by "_", then the extension.
QString SafeName(const QString& sourceName, const QString& extension);

// `name` when no entry of `folder` has it in any letter case; otherwise the
// first of "STEM(2).EXT", "STEM(3).EXT", ... that none has.
QString FreeName(const QString& folder, const QString& name);

}  // namespace ImportNames
