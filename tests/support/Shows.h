#pragma once
// A show written into a folder for a test. Header only: used by the
// toolkit-free tests too.

#include "core/EventFile.h"
#include "core/ListDataFile.h"
#include "support/Bytes.h"

#include <memory>

namespace Shows {

// An item's name and its events, each a kind and a parameter.
using Item = std::pair<QString, QList<QStringList>>;

// The list of `items` (rows 1.., event files 1.pev, 2.pev, ...) with
// `startGraphic`, and `files`, each holding its own name, in `folder`.
inline std::unique_ptr<Module1> Make(const QString& folder, const QList<Item>& items, const QString& startGraphic, const QStringList& files)
{
    auto m = std::make_unique<Module1>();
    m->PrepareNewList();
    m->ProjectFolder = folder;
    QDir().mkpath(folder);
    m->ListTable[Module1::kStartGraphicRow][1] = startGraphic;
    for (int row = 1; row <= items.size(); ++row) {
        m->ListTable[row][1] = items[row - 1].first;
        m->ListTable[row][2] = QStringLiteral("%1.pev").arg(row);
        auto events = std::make_unique<EventRows>();
        for (int i = 0; i < items[row - 1].second.size(); ++i)
            std::copy_n(items[row - 1].second[i].begin(), 2, (*events)[i + 1].begin());
        EventFile::Write(folder, m->ListTable[row][2], *events);
    }
    ListDataFile::Write(*m);
    for (const QString& name : files) Bytes::Write(m->ProjectPath(name), name.toUtf8());
    return m;
}

}  // namespace Shows
