#pragma once
// The program-wide editing state. Every window receives the one Module1 of the
// run and talks to the others only through it: a caller writes a dialog's
// input slot, opens the dialog modally, and reads DialogResult or the table
// cells afterwards.

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>

// An item's events: rows 0..1005 of kind (column 0) and parameter (column 1);
// column 2 is scratch. The editor's table is Module1::EventTable; the show
// check and the rehearsal read other items into tables of their own.
using EventRows = std::array<std::array<QString, 3>, 1006>;

class Module1 {
public:
    static constexpr int kRows = 1006;      // rows 0..1005 of both tables
    static constexpr int kFileRows = 1005;  // rows 0..1004 go to the files

    // Fixed rows of ListTable.
    static constexpr int kDashRow = 0;
    static constexpr int kLastItemRow = 999;
    static constexpr int kCounterRow = 1001;
    static constexpr int kStartGraphicRow = 1002;
    static constexpr int kStartMessageRow = 1003;

    // CallerMode values.
    static constexpr qint16 kModeNewProject = 1;
    static constexpr qint16 kModeLoad = 2;
    static constexpr qint16 kModeListEditor = 3;
    static constexpr qint16 kModeEventEditor = 4;

    static const QString kDashLine;         // "－－－－－－－－－－"
    static const QString kNewStartMessage;  // "項目を選んでください。"

    // ListTable(row, column): column 1 name, column 2 event file name.
    // Columns 0 and 3 exist so that indices read as the layout describes them.
    QString ListTable[kRows][4];
    // EventTable(row, column): column 0 kind, column 1 parameter.
    EventRows EventTable;

    qint16 LastEventFileNumber = 0;
    QString ProjectFolder;
    QString PreviousFolder;
    qint16 ItemIndex = 0;
    qint16 CallerMode = 0;
    int EventIndex = 0;
    QString ErrorText;
    // The lines that the show check's result window lists, one per finding.
    QStringList CheckFindings;
    QString QuestionText;
    qint16 DialogResult = 0;
    qint32 WaitMillis = 0;

    // New-project preparation: rows 0..1004 of columns 1 and 2 emptied, the
    // dash line in row 0 and the starting message in row 1003.
    void PrepareNewList();

    void ClearEventTable();  // rows 0..1005, every column

    // Full path of a file in the project folder.
    QString ProjectPath(const QString& fileName) const;
};
