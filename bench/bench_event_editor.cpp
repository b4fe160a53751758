// The event editor on item 1 of the heavy project that make_bench_project
// makes (its folder in PELUMO_BENCH_PROJECT): 999 events, rows 1, 2, 5, 6,
// 9, 10, ... showing 500 different 4000 x 3000 photographs, the rest waits.
//   Open     constructing the window (reads the file, previews row 1)
//   Refresh  one ▼ or ▲ onto a picture row (view, decode, paint)
//   PlayAll  one "次へ" from row 1 across all 999 rows to the empty row 1000
// Ends with the peak memory of the process (maximum resident set).

#include "core/ListDataFile.h"
#include "core/Module1.h"
#include "eventedit/frmPelumo3.h"
#include "forms/FormLayout.h"
#include "support/FakePlatform.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QPushButton>

#include <cstdio>
#include <memory>
#include <sys/resource.h>

namespace {

constexpr int kEvents = 999;

struct Fixture {
    Module1 m;
    FakePlatform platform;

    explicit Fixture(const QString& folder)
    {
        m.ProjectFolder = folder;
        if (!QFile::exists(folder + QStringLiteral("/.complete")) || !ListDataFile::Read(m).ok)
            qFatal("no benchmark project in PELUMO_BENCH_PROJECT: make it with make_bench_project");
        m.ItemIndex = 1;
    }

    std::unique_ptr<frmPelumo3> Open()
    {
        auto w = std::make_unique<frmPelumo3>(m, platform);
        w->setWindowModality(Qt::NonModal);
        w->show();
        if (!w->Opened()) qFatal("the event editor did not open");
        return w;
    }
};

Fixture* g_fixture = nullptr;

void BM_Open(benchmark::State& state)
{
    for (auto _ : state) {
        auto w = g_fixture->Open();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_Refresh(benchmark::State& state)
{
    auto w = g_fixture->Open();  // rows 1 and 2 show photographs 1 and 2
    bool down = true;
    for (auto _ : state) {
        w->findChild<QPushButton*>(down ? "cmdNext" : "cmdBefore")->click();
        QCoreApplication::processEvents();
        down = !down;
    }
}
BENCHMARK(BM_Refresh)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_PlayAll(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto w = g_fixture->Open();
        state.ResumeTiming();
        w->findChild<QPushButton*>("cmdNext_Kasou")->click();
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (g_fixture->m.EventIndex != kEvents + 1) state.SkipWithError("\"次へ\" did not reach row 1000");
        w.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlayAll)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    FormLayout::InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    Fixture fixture(qEnvironmentVariable("PELUMO_BENCH_PROJECT"));
    g_fixture = &fixture;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %ld KB\n", usage.ru_maxrss);
    return 0;
}
