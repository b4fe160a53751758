#pragma once
// An item's event file: 1005 lines of kind and parameter, CP932, CR LF.

#include "app/Module1.h"
#include "data/FileResult.h"

namespace EventFile {

// Creates `fileName` in `folder` with 1005 empty records (7035 bytes),
// replacing a file of that name. Fails for a name that is not a plain file
// name; the message is "「NAME」を作成できませんでした。…".
FileResult Create(const QString& folder, const QString& fileName);

enum class ReadStatus { Ok, Missing, Failed };
struct ReadResult {
    ReadStatus status = ReadStatus::Ok;
    QString message;  // for Failed
};

// Reads the event file of item ItemIndex (ListTable column 2) into EventTable,
// which is cleared first. Missing when the name is not a plain file name or
// no such file exists.
ReadResult Read(Module1& m);

// Writes EventTable rows 0..1004 to the event file of item ItemIndex,
// atomically. On failure the previous file is unchanged.
FileResult Write(const Module1& m);

// Removes the event file `fileName` from `folder`. A name that is not a plain
// file name is never touched; a file already missing counts as removed.
FileResult Remove(const QString& folder, const QString& fileName);

// The file image of EventTable rows 0..1004.
struct Image {
    QByteArray bytes;
    FileResult result;
};
Image Serialize(const Module1& m);
void Parse(const QByteArray& bytes, Module1& m);

}  // namespace EventFile
