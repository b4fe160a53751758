#pragma once
// An item's event file: 1005 lines of kind and parameter, CP932, CR LF.

#include "core/FileResult.h"
#include "core/Module1.h"
#include "core/Records.h"

namespace EventFile {

// The event file name of item ItemIndex (ListTable column 2); empty when
// ItemIndex is not an item row.
QString NameOf(const Module1& m);

// Whether that name is of the editor's own form, "N.pev" (see
// ListRules::EventFileNumber); no other name is ever opened as events or
// written.
bool HasEventFileName(const Module1& m);

// Whether the item has an event file name of that form and the file exists as
// an ordinary file (any letter case).
bool Exists(const Module1& m);

// Creates `fileName` in `folder` with 1005 empty records (7035 bytes),
// replacing a file of that name. Fails for a name that is not a plain file
// name; the message is "「NAME」を作成できませんでした。…".
FileResult Create(const QString& folder, const QString& fileName);

// Reads the event file of item ItemIndex into EventTable, which is cleared
// first; on failure EventTable is untouched. A file that had damaged parts
// reads with the notice Records::RepairedMessage.
FileResult Read(Module1& m);

// Writes EventTable rows 0..1004 to the event file of item ItemIndex,
// atomically. On failure the previous file is unchanged.
FileResult Write(const Module1& m);

// Removes the event file `fileName` from `folder`: into the desktop's trash
// where the folder has one, deleted otherwise; a link goes itself, never what
// it points to. A name that is not a plain file name is never touched; a file
// already missing counts as removed.
FileResult Remove(const QString& folder, const QString& fileName);

// The file image of EventTable rows 0..1004.
Records::Image Serialize(const Module1& m);
// Parses a file image into EventTable (cleared first); true when damaged
// parts were left out.
bool Parse(const QByteArray& bytes, Module1& m);

}  // namespace EventFile
