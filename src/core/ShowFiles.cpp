#include "core/ShowFiles.h"

#include "core/Cp932.h"
#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/ListDataFile.h"
#include "core/ProjectFiles.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <memory>

namespace ShowFiles {

namespace {

const QString kPickAgain = QStringLiteral("名前を変えてから、選び直してください。");

class Collector {
public:
    Collector(const Module1& m, const std::optional<QByteArray>& listData) : m_(m)
    {
        plan_.folder = m.ProjectFolder;
        plan_.topFolder = QFileInfo(m.ProjectFolder).fileName();
        plan_.listData = listData;
    }

    Plan Run()
    {
        AddListData();
        const QString& start = m_.ListTable[Module1::kStartGraphicRow][1];
        if (!start.isEmpty()) AddMedia(Kind::Picture, start, StartGraphicUse());
        for (int item = 1; item <= Module1::kLastItemRow && !m_.ListTable[item][1].isEmpty(); ++item) AddItem(item);
        plan_.files += media_;
        CheckNames();
        return plan_;
    }

private:
    void AddListData()
    {
        const QString actual = ProjectFiles::FindFileNoCase(plan_.folder, ListDataFile::kFileName);
        const bool found = plan_.listData || !actual.isEmpty();
        plan_.files.append({Kind::ListData, actual.isEmpty() ? ListDataFile::kFileName : actual, found, {}});
        if (!found)
            plan_.problems << NoListDataProblem();
    }

    void AddItem(int item)
    {
        const QString& name = m_.ListTable[item][2];
        const QString place = UsePlace(item, m_.ListTable[item][1]);
        if (!EventFile::IsEventFileName(name)) {
            plan_.problems << BadEventFileNameProblem(place, name);
            return;
        }
        const std::optional<File> file = Add(plan_.files, Kind::Events, name, place);
        if (!file) return;
        if (!file->found) {
            plan_.problems << MissingEventFileProblem(place, name);
            return;
        }
        const FileResult read = EventFile::Read(plan_.folder, file->name, *events_);
        if (!read.ok) {
            plan_.problems << UnreadableEventFileProblem(place, read.message);
            return;
        }
        for (int row = 1; row < Module1::kFileRows; ++row) {
            const QString& kind = (*events_)[row][0];
            const QString& parameter = (*events_)[row][1];
            const QString at = UsePlace(item, m_.ListTable[item][1], row);
            if (kind == EventKinds::kPicture && !parameter.isEmpty()) AddMedia(Kind::Picture, parameter, at);
            if ((kind == EventKinds::kWavOnce || kind == EventKinds::kWavLoop) && !parameter.isEmpty())
                AddMedia(Kind::Wav, parameter, at);
        }
    }

    void AddMedia(Kind kind, const QString& name, const QString& at)
    {
        const std::optional<File> file = Add(media_, kind, name, at);
        if (!file || file->found) return;
        plan_.problems << MissingMediaProblem(kind, name, at);
    }

    // Adds the file the show names `name` to `to`, unless it is there
    // already (the same file on disk, or the same missing name in any
    // letter case); returns the new entry, or nothing.
    std::optional<File> Add(QList<File>& to, Kind kind, const QString& name, const QString& at)
    {
        const QString actual = ProjectFiles::FindFileNoCase(plan_.folder, name);
        const QString key = actual.isEmpty() ? QStringLiteral("?") + name.toCaseFolded() : actual;
        if (seen_.contains(key)) return std::nullopt;
        seen_.insert(key);
        to.append({kind, actual.isEmpty() ? name : actual, !actual.isEmpty(), at});
        return to.last();
    }

    // Every name the copy holds must be one that Windows can hold and CP932
    // can write, and no two may differ only in letter case.
    void CheckNames()
    {
        if (const QString why = NameProblem(plan_.topFolder); !why.isEmpty())
            plan_.problems << FolderNameProblem(plan_.topFolder, why);
        QHash<QString, QString> byFolded;
        for (const File& f : std::as_const(plan_.files)) {
            if (!f.found) continue;
            if (const QString why = NameProblem(f.name); !why.isEmpty())
                plan_.problems << FileNameProblem(f.name, f.usedAt, why);
            const QString folded = f.name.toCaseFolded();
            if (const auto other = byFolded.constFind(folded); other != byFolded.cend())
                plan_.problems << CaseTwinProblem(*other, f.name);
            else
                byFolded.insert(folded, f.name);
        }
    }

    const Module1& m_;
    Plan plan_;
    QList<File> media_;
    QSet<QString> seen_;
    std::unique_ptr<EventRows> events_ = std::make_unique<EventRows>();
};

}  // namespace

Plan Collect(const Module1& m, const std::optional<QByteArray>& listData)
{
    return Collector(m, listData).Run();
}

QStringList MissingNames(const Plan& plan)
{
    QStringList names;
    for (const File& f : plan.files)
        if (!f.found) names << f.name;
    return names;
}

QString UsePlace(int item, const QString& itemName, int row)
{
    const QString place = QStringLiteral("%1番の項目「%2」").arg(QString::number(item), itemName);
    return row ? place + QStringLiteral("の%1番のイベント").arg(row) : place;
}

QString StartGraphicUse() { return QStringLiteral("スタートグラフィック"); }

QString NoListDataProblem() { return QStringLiteral("リストデータ(%1)がありません。").arg(ListDataFile::kFileName); }

QString BadEventFileNameProblem(const QString& item, const QString& file)
{
    return item + QStringLiteral("：イベントファイル名「%1」が正しくありません。項目を削除して作り直してください。").arg(file);
}

QString MissingEventFileProblem(const QString& item, const QString& file)
{
    return item + QStringLiteral("：イベントファイル「%1」がありません。項目を削除して作り直してください。").arg(file);
}

QString UnreadableEventFileProblem(const QString& item, const QString& readMessage)
{
    return item + QStringLiteral("：") + readMessage;
}

QString MissingMediaProblem(Kind kind, const QString& file, const QString& usedAt)
{
    const QString what = kind == Kind::Picture ? QStringLiteral("グラフィックファイル") : QStringLiteral("Wavファイル");
    return what + QStringLiteral("「%1」がありません（%2で使用）。ファイルをフォルダに戻すか、別のファイルを選び直してください。").arg(file, usedAt);
}

QString FolderNameProblem(const QString& folder, const QString& why)
{
    return QStringLiteral("フォルダ「%1」：").arg(folder) + why + QStringLiteral("フォルダの名前を変えてください。");
}

QString FileNameProblem(const QString& file, const QString& usedAt, const QString& why)
{
    const QString used = usedAt.isEmpty() ? QString() : QStringLiteral("（%1で使用）").arg(usedAt);
    return QStringLiteral("「%1」%2：").arg(file, used) + why + kPickAgain;
}

QString CaseTwinProblem(const QString& first, const QString& second)
{
    return QStringLiteral("「%1」と「%2」は大文字と小文字の違いしかなく、Windows では同じ名前になります。"
                          "どちらかの")
               .arg(first, second)
        + kPickAgain;
}

QString NameProblem(const QString& name)
{
    if (name.isEmpty()) return QStringLiteral("名前がありません。");
    if (const QString why = ProjectFiles::WindowsNameProblem(name); !why.isEmpty()) return why;
    if (const Cp932::Encoded encoded = Cp932::Encode(name); !encoded.ok)
        return QStringLiteral("「%1」は日本語版の Windows で名前に使えない文字です。").arg(encoded.badChar);
    return {};
}

}  // namespace ShowFiles
