#pragma once
// An item's event file: 1005 lines of kind and parameter, CP932, CR LF.

#include "core/FileResult.h"
#include "core/Module1.h"
#include "core/Records.h"

namespace EventFile {

// The event file name of item ItemIndex (ListTable column 2); empty when
// ItemIndex is not an item row.
QString NameOf(const Module1& m);

// Whether `fileName` is of the editor's own form, "N.pev" (see
// ListRules::EventFileNumber). No other name is ever read, written or
// deleted as an item's events.
bool IsEventFileName(const QString& fileName);

// Whether `folder` holds the event file `fileName` (an event file name) as an
// ordinary file, in any letter case.
bool Exists(const QString& folder, const QString& fileName);

// Creates `fileName` in `folder` with 1005 empty records (7035 bytes),
// replacing a file of that name. Fails for a name that is not a plain file
// name; the message is CreateFailedMessage.
FileResult Create(const QString& folder, const QString& fileName);
// "「NAME」を作成できませんでした。…"
QString CreateFailedMessage(const QString& fileName);

// Reads the event file `fileName` of `folder` into `rows`, which are cleared
// first; on failure `rows` are untouched. A file that had damaged parts reads
// with the notice Records::RepairedMessage.
FileResult Read(const QString& folder, const QString& fileName, EventRows& rows);

// Writes rows 0..1004 to the event file `fileName` of `folder`, atomically,
// keeping the letter case of a file already there. On failure the previous
// file is unchanged.
FileResult Write(const QString& folder, const QString& fileName, const EventRows& rows);

// Removes the event file `fileName` from `folder`: into the desktop's trash
// where the folder has one, deleted otherwise; a link goes itself, never what
// it points to. A name that is not a plain file name is never touched; a file
// already missing counts as removed.
FileResult Remove(const QString& folder, const QString& fileName);
// "「NAME」を削除できませんでした。…"
QString RemoveFailedMessage(const QString& fileName);

// The file image of rows 0..1004; `fileName` names the file in a message.
Records::Image Serialize(const EventRows& rows, const QString& fileName);
// Parses a file image into `rows` (cleared first); true when damaged parts
// were left out.
bool Parse(const QByteArray& bytes, EventRows& rows);

}  // namespace EventFile
