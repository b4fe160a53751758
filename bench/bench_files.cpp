// Reading and writing project files against the floor of the same bytes read
// raw and written raw (atomically and durably: through QSaveFile, synced before
// the rename and the folder after, as a save must): a full list data file
// of 999 items and an event file of 999 events.

#include "core/EventFile.h"
#include "core/ListDataFile.h"
#include "core/Records.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <memory>

#include <fcntl.h>
#include <unistd.h>

namespace {

struct Project {
    QTemporaryDir dir;
    std::unique_ptr<Module1> m = std::make_unique<Module1>();
    Project()
    {
        m->ProjectFolder = dir.path();
        m->PrepareNewList();
        for (int row = 1; row <= 999; ++row) {
            m->ListTable[row][1] = QStringLiteral("項目その%1、会社案内と製品紹介").arg(row);
            m->ListTable[row][2] = QStringLiteral("%1.pev").arg(row);
            m->EventTable[row][0] = QStringLiteral("テキスト表示");
            m->EventTable[row][1] = QStringLiteral("ようこそ、ペルモ商事へ。本社は駅から歩いて%1分です。").arg(row);
        }
        m->ItemIndex = 1;
        ListDataFile::Write(*m);
        EventFile::Write(m->ProjectFolder, EventFile::NameOf(*m), m->EventTable);
    }
    QString Path(const char* name) const { return dir.filePath(QLatin1String(name)); }
};

Project& Fixture()
{
    static Project p;
    return p;
}

void RawRead(benchmark::State& state, const char* name)
{
    for (auto _ : state) {
        QFile f(Fixture().Path(name));
        f.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(f.readAll());
    }
}

void RawWrite(benchmark::State& state, const char* name)
{
    QFile f(Fixture().Path(name));
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    for (auto _ : state) {
        QSaveFile out(Fixture().Path(name));
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        out.flush();
        ::fsync(out.handle());
        out.commit();
        const int folder = ::open(QFile::encodeName(Fixture().dir.path()).constData(), O_RDONLY | O_DIRECTORY);
        ::fsync(folder);
        ::close(folder);
    }
}

void BM_ListRaw_Read(benchmark::State& s) { RawRead(s, "LISTDATA.PLD"); }
void BM_ListRaw_Write(benchmark::State& s) { RawWrite(s, "LISTDATA.PLD"); }
void BM_EventRaw_Read(benchmark::State& s) { RawRead(s, "1.pev"); }
void BM_EventRaw_Write(benchmark::State& s) { RawWrite(s, "1.pev"); }

void BM_List_Read(benchmark::State& state)
{
    Module1& m = *Fixture().m;
    for (auto _ : state) benchmark::DoNotOptimize(ListDataFile::Read(m));
}
void BM_List_Write(benchmark::State& state)
{
    Module1& m = *Fixture().m;
    for (auto _ : state) benchmark::DoNotOptimize(ListDataFile::Write(m));
}
void BM_Event_Read(benchmark::State& state)
{
    Module1& m = *Fixture().m;
    for (auto _ : state) benchmark::DoNotOptimize(EventFile::Read(m.ProjectFolder, EventFile::NameOf(m), m.EventTable));
}
void BM_Event_Write(benchmark::State& state)
{
    Module1& m = *Fixture().m;
    for (auto _ : state) benchmark::DoNotOptimize(EventFile::Write(m.ProjectFolder, EventFile::NameOf(m), m.EventTable));
}

}  // namespace

BENCHMARK(BM_ListRaw_Read)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_List_Read)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EventRaw_Read)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Event_Read)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListRaw_Write)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_List_Write)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EventRaw_Write)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Event_Write)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
