#pragma once
// A show packed into one zip for the player's PC: the files that
// ShowFiles::Collect found, under a top folder named after the project
// folder. Names are stored as Japanese Windows reads a zip made without the
// UTF-8 flag, in CP932, with the Info-ZIP Unicode Path field beside them for
// other tools. Pictures and wavs are stored as they are, the list and the
// event files compressed.

#include "core/ShowFiles.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <functional>

namespace ShowZip {

struct Result {
    bool ok = false;
    bool canceled = false;
    int files = 0;    // how many files the zip holds
    QString message;  // for the user: what was written, or why nothing was
};

// Told how many bytes of the files are in, of how many; a false answer stops
// the packing. Called on the thread that packs.
using Progress = std::function<bool(qint64 done, qint64 total)>;

// Writes a new zip at `zipPath`, atomically: through a hidden file beside
// it, synced and renamed over it; on any failure or a stop that file is
// removed and `zipPath` is as it was. Refused when the plan has problems, or
// when `zipPath` is inside the project folder, which is never written to.
Result Write(const ShowFiles::Plan& plan, const QString& zipPath, const Progress& progress = {});

// "Windows用にまとめられません。…" and the problems, one a line after "・".
QString RefusalMessage(const QStringList& problems);
// The other results of Write: the zip would be inside `topFolder`; `files`
// files are in the zip at `zipPath`; the packing was stopped.
QString InsideFolderMessage(const QString& topFolder);
QString PackedMessage(int files, const QString& zipPath);
QString StoppedMessage();

// Before a zip that is there already: replaced when the user says so, never
// by the command line.
QString ReplaceQuestion(const QString& zipName);
QString ZipExistsMessage(const QString& zipPath);

}  // namespace ShowZip
