#pragma once
// The files a show uses, as a copy of the show for the player's PC must hold
// them: the list data file, the event file of each item, every picture and
// wav that an event or the start graphic names. Each file once, by its name
// on disk, and what keeps the copy from working on Windows.

#include "core/Module1.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace ShowFiles {

enum class Kind {
    ListData,
    Events,
    Picture,
    Wav
};

struct File {
    Kind kind;
    QString name;        // the actual name in the folder; as the show names it when there is none
    bool found = false;  // an ordinary file of that name is in the folder
    // Where the show first names the file ("3番の項目「…」の5番のイベント"),
    // for messages.
    QString usedAt;
};

struct Plan {
    QString folder;     // the project folder
    QString topFolder;  // the folder's own name, which the copy keeps
    // The list data file first, the event files in item order, then the
    // pictures and wavs in the order the show first names them.
    QList<File> files;
    // The list data file's contents, when the copy takes the list as the
    // editor holds it rather than as the folder has it.
    std::optional<QByteArray> listData;
    // One line each, in the user's words; the show must not be copied while
    // there is any.
    QStringList problems;
};

// Looks at the items of m.ListTable (rows 1 up to the first unnamed row), the
// start graphic and the files of m.ProjectFolder; reads each event file.
// Problems: a file the show uses that is not in the folder or cannot be read,
// a name (the folder's too) that Windows cannot hold or CP932 cannot write,
// two names that differ only in letter case. `listData`, when given, stands
// for the list data file, which then need not be in the folder.
Plan Collect(const Module1& m, const std::optional<QByteArray>& listData = std::nullopt);

// The names in `plan` that the show names but the folder does not hold.
QStringList MissingNames(const Plan& plan);

// Where the show names a file: an item (`row` 0) or one of its events, or the
// start graphic.
QString UsePlace(int item, const QString& itemName, int row = 0);
QString StartGraphicUse();

// The problems, in the user's words; `item` is UsePlace of an item.
QString NoListDataProblem();
QString BadEventFileNameProblem(const QString& item, const QString& file);
QString MissingEventFileProblem(const QString& item, const QString& file);
QString UnreadableEventFileProblem(const QString& item, const QString& readMessage);
QString MissingMediaProblem(Kind kind, const QString& file, const QString& usedAt);
// Why the copy cannot hold a name (the folder's, or a file's used at
// `usedAt`, empty for the list data file): see NameProblem.
QString FolderNameProblem(const QString& folder, const QString& why);
QString FileNameProblem(const QString& file, const QString& usedAt, const QString& why);
QString CaseTwinProblem(const QString& first, const QString& second);
// Why Windows or CP932 cannot hold `name`, or an empty string when both can.
QString NameProblem(const QString& name);

}  // namespace ShowFiles
