#pragma once
// The list editor's steps of packing a show for Windows that talk to the
// user: where the zip goes, and the packing itself with its progress.

#include "core/ShowFiles.h"
#include "pack/ShowZip.h"

#include <QString>

class Module1;
class Platform;
class QWidget;

namespace ZipSave {

// Asks where to save the zip, offering "<top folder>.zip" on the desktop
// (the home folder when there is none). An existing file is replaced only
// when the user says so in frmYesNo. Empty when the user gave up.
QString AskPath(Module1& m, Platform& platform, QWidget* parent, const QString& topFolder);

// Packs on a thread of its own. The window stays painted; past half a second
// a progress dialog shows, modal to `parent`, whose "中止" stops the packing.
ShowZip::Result Write(QWidget* parent, const ShowFiles::Plan& plan, const QString& zipPath);

}  // namespace ZipSave
