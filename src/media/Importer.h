#pragma once
// Bringing pictures and sounds into a project folder, as files the player
// reads. Each source is copied as it is when the player can use it, and
// converted when not (see PictureConvert.h and SoundConvert.h); it comes in
// under a new name that nothing in the folder has (ImportNames.h). Nothing in
// the folder is ever overwritten or renamed, nothing outside it is written,
// and of a source that is refused or cancelled nothing stays.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace Importer {

struct Result {
    QString source;  // the path as given
    QString name;    // the new file's name in the folder; empty when refused
    QString reason;  // why it was refused, whole sentences for the user
};

// Called on the calling thread after each source and about ten times a
// second in between, with how many of `total` are done. Returning false
// cancels the import: the sources not yet brought in are refused as
// cancelled, and nothing of them is left.
using Progress = std::function<bool(int done, int total)>;

// Brings `sources` into `folder`, converting on every core at once. The
// results are in the order of `sources`, and so are the names given: when two
// sources want the same name, the first gets it. A source larger than 2 GiB,
// an empty one, one that is not a file, a video and one that cannot be decoded
// are refused with their reason; the others go on.
QList<Result> Import(const QString& folder, const QStringList& sources, const Progress& progress = {});

// The files of what the user dropped: each path as it is, a folder as its
// files in name order (not its folders, not its hidden files).
QStringList Sources(const QStringList& dropped);

// The names of the new files, in the order of their sources.
QStringList NewNames(const QList<Result>& results);

// What became of a source, for the user, the source named `shown`:
// "SHOWN → NAME", or "SHOWN：取り込めません。REASON".
QString Line(const Result& result, const QString& shown);
// How many came in, as the first line above the others.
QString Heading(const QList<Result>& results);

// For a file dialog: the names of the pictures and of the sounds that the
// importer reads, as patterns ("*.jpg *.png ..."). It decides by a file's
// content, not its name: these are the usual names only.
QString PicturePatterns();
QString SoundPatterns();

// Why a source is refused before its content is looked at, and when it is
// neither a picture nor a sound.
QString NotFoundReason();
QString NotAFileReason();
QString EmptyReason();
QString TooLargeReason();
QString UnknownKindReason();

// The line of the command line for a refused source.
QString RefusedLine(const QString& source, const QString& reason);

}  // namespace Importer
