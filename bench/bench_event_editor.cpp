// The event editor on a heavy item: 999 events, rows 1, 2, 5, 6, 9, 10, ...
// pictures (500) naming ten 4000 x 3000 JPEG photographs, the rest waits, no
// text.
//   Open     constructing the window (reads the file, previews row 1)
//   Refresh  one ▼ or ▲ onto a picture row (view, decode, paint)
//   PlayAll  one "次へ" from row 1 across all 999 rows to the empty row 1000

#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/Module1.h"
#include "eventedit/frmPelumo3.h"
#include "forms/FormLayout.h"
#include "support/FakePlatform.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QFileInfo>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

constexpr int kEvents = 999;
constexpr int kPhotos = 10;

struct Fixture {
    QTemporaryDir dir;
    Module1 m;
    FakePlatform platform;
    qint64 photoBytes = 0;

    Fixture()
    {
        auto* rng = QRandomGenerator::global();
        for (int p = 0; p < kPhotos; ++p) {
            QImage img(4000, 3000, QImage::Format_RGB32);
            for (int y = 0; y < img.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
                for (int x = 0; x < img.width(); ++x) {
                    const int n = int(rng->bounded(32));
                    line[x] = qRgb((x / 16 + n + p * 20) & 255, (y / 12 + n) & 255, ((x + y) / 28 + n) & 255);
                }
            }
            const QString path = dir.filePath(QStringLiteral("photo%1.jpg").arg(p));
            if (!img.save(path, "JPG", 85)) qFatal("could not write a photograph");
            photoBytes += QFileInfo(path).size();
        }
        m.ProjectFolder = dir.path();
        m.PrepareNewList();
        m.ListTable[1][1] = QStringLiteral("写真");
        m.ListTable[1][2] = QStringLiteral("1.pev");
        m.ItemIndex = 1;
        for (int r = 1; r <= kEvents; ++r) {
            const bool picture = r % 4 == 1 || r % 4 == 2;
            m.EventTable[r][0] = picture ? EventKinds::kPicture : EventKinds::kWait;
            m.EventTable[r][1] = picture ? QStringLiteral("photo%1.jpg").arg(r % kPhotos) : "1000";
        }
        if (!EventFile::Write(m).ok) qFatal("could not write the event file");
        m.ClearEventTable();
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
        (down ? w->cmdNext : w->cmdBefore)->click();
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
        w->cmdNext_Kasou->click();
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
    Fixture fixture;
    g_fixture = &fixture;
    std::printf("%d events, %d photographs of 4000 x 3000, %.1f MB in all\n", kEvents, kPhotos,
                fixture.photoBytes / 1e6);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
