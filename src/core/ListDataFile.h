#pragma once
// The list data file: 1005 records of two quoted fields, CP932, CR LF, one
// record per row 0..1004 of ListTable columns 1 and 2.

#include "core/FileResult.h"
#include "core/Module1.h"
#include "core/Records.h"

#include <QByteArray>

namespace ListDataFile {

// The name under which a new list data file is created.
inline const QString kFileName = QStringLiteral("LISTDATA.PLD");

// The actual name of the folder's list data file (any letter case), or an
// empty string when the folder has none. Any entry of that name counts, a
// folder or a dangling link too: it holds the place of the project's data.
QString Find(const QString& folder);
inline bool Exists(const QString& folder) { return !Find(folder).isEmpty(); }

// The project folder a path names, as an absolute path: the folder itself,
// or the folder of the list data file it names (any letter case). Empty when
// it names neither.
QString FolderNamedBy(const QString& path);

// The file image of rows 0..1004, with `counter` as row 1001's text.
// Fails (naming the character) when a cell holds text CP932 cannot store.
Records::Image Serialize(const Module1& m, qint16 counter);

// Parses a file image into ListTable, which is cleared first (rows 0..1005).
// Never fails: damaged input reads as far as it goes, and the answer is true
// when damaged parts were left out.
bool Parse(const QByteArray& bytes, Module1& m);

// Reads the folder's list data file into ListTable (cleared first). On
// failure ListTable is untouched. A file that had damaged parts reads with
// the notice Records::RepairedMessage.
FileResult Read(Module1& m);

// Writes ListTable atomically: row 1001 gets LastEventFileNumber first. An
// existing file keeps its name, whatever its letter case; a new one is
// LISTDATA.PLD. On failure the previous file and ListTable are unchanged, and
// the message is Records::SaveFailedMessage.
FileResult Write(Module1& m);

// The counter to use after a load: row 1001 as a number (0 when empty, not a
// number or outside 0..32767), raised to the highest N of the item rows'
// event file names "N.pev", so that no new item can reuse an existing file.
qint16 CounterAfterLoad(const Module1& m);

// Loading the project in `folder`: its list data file read into ListTable,
// the counter taken up (CounterAfterLoad) and, when the project is loaded for
// editing, what a save cut short left beside the files removed. ProjectFolder
// is `folder` when it loaded and empty when not; then nothing of the file was
// taken, and `missing` tells a folder without list data from a file that
// cannot be read (`result.message`). A load with damaged parts left out
// carries their notice.
enum class LoadFor {
    Editing,
    Checking
};
struct Loaded {
    FileResult result;
    bool missing = false;
};
Loaded LoadProject(Module1& m, const QString& folder, LoadFor purpose);

// Why a command given `path` finds no project there: no such folder, not a
// folder, a folder without list data.
QString NoSuchFolderMessage(const QString& path);
QString NotAFolderMessage(const QString& path);
QString NoListDataMessage(const QString& folder);
// The path given to open a show is neither a show's folder nor its list data
// file; it does not exist.
QString NotAShowMessage(const QString& path);
QString NoSuchPathMessage(const QString& path);

}  // namespace ListDataFile
