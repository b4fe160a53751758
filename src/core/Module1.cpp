#include "core/Module1.h"

const QString Module1::kDashLine = QStringLiteral("－－－－－－－－－－");
const QString Module1::kNewStartMessage = QStringLiteral("項目を選んでください。");

void Module1::PrepareNewList()
{
    for (int row = 0; row < kFileRows; ++row) {
        ListTable[row][1].clear();
        ListTable[row][2].clear();
    }
    ListTable[kDashRow][1] = kDashLine;
    ListTable[kStartMessageRow][1] = kNewStartMessage;
}

void Module1::ClearEventTable()
{
    for (auto& row : EventTable)
        for (auto& cell : row) cell.clear();
}

QString Module1::ProjectPath(const QString& fileName) const
{
    return ProjectFolder + QLatin1Char('/') + fileName;
}
