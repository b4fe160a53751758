// Makes the heavy project the benchmarks run on, in the folder given:
// 500 different photographs of 4000 x 3000 pixels (photo001.jpg ...), and a
// full list of 999 items, each with 999 events: rows 1, 2, 5, 6, 9, 10, ...
// show the 500 photographs in turn, the rows between wait a second.
// A folder already made (it holds .complete) is left as it is.

#include "core/EventFile.h"
#include "core/EventKinds.h"
#include "core/ListDataFile.h"
#include "core/Module1.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>

#include <cstdio>
#include <memory>

namespace {

constexpr int kItems = 999;
constexpr int kEvents = 999;
constexpr int kPhotos = 500;

QString PhotoName(int n) { return QStringLiteral("photo%1.jpg").arg(n, 3, 10, QLatin1Char('0')); }

// One photograph's worth of noise, encoded once; each file is that JPEG with
// a comment of its own after the start marker, so every file differs and
// still takes a full decode.
QByteArray Photograph()
{
    QImage img(4000, 3000, QImage::Format_RGB32);
    auto* rng = QRandomGenerator::global();
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int n = int(rng->bounded(32));
            line[x] = qRgb((x / 16 + n) & 255, (y / 12 + n) & 255, ((x + y) / 28 + n) & 255);
        }
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!img.save(&buffer, "JPG", 85)) qFatal("could not encode a photograph");
    return jpeg;
}

bool Fail(const char* what)
{
    std::fprintf(stderr, "make_bench_project: %s\n", what);
    return false;
}

bool Make(const QString& folder)
{
    if (!QDir().mkpath(folder)) return Fail("cannot make the folder");
    const QByteArray jpeg = Photograph();
    for (int n = 1; n <= kPhotos; ++n) {
        const QByteArray note = "photograph " + QByteArray::number(n);
        QByteArray segment("\xFF\xFE", 2);
        segment.append(char((note.size() + 2) >> 8)).append(char((note.size() + 2) & 0xFF)).append(note);
        QFile file(folder + QLatin1Char('/') + PhotoName(n));
        if (!file.open(QIODevice::WriteOnly) || file.write(jpeg.left(2) + segment + jpeg.mid(2)) < 0)
            return Fail("cannot write a photograph");
    }

    auto m = std::make_unique<Module1>();
    m->ProjectFolder = folder;
    m->PrepareNewList();
    for (int r = 1, photo = 0; r <= kEvents; ++r) {
        const bool picture = r % 4 == 1 || r % 4 == 2;
        m->EventTable[r][0] = picture ? EventKinds::kPicture : EventKinds::kWait;
        m->EventTable[r][1] = picture ? PhotoName(++photo) : QStringLiteral("1000");
    }
    for (int item = 1; item <= kItems; ++item) {
        m->ListTable[item][1] = QStringLiteral("写真の項目%1").arg(item);
        m->ListTable[item][2] = QStringLiteral("%1.pev").arg(item);
        m->ItemIndex = item;
        if (!EventFile::Write(m->ProjectFolder, EventFile::NameOf(*m), m->EventTable).ok) return Fail("cannot write an event file");
    }
    m->LastEventFileNumber = kItems;
    if (!ListDataFile::Write(*m).ok) return Fail("cannot write the list data file");
    QFile done(folder + QStringLiteral("/.complete"));
    return done.open(QIODevice::WriteOnly) || Fail("cannot mark the folder complete");
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);  // the image plugins
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_bench_project FOLDER\n");
        return 2;
    }
    const QString folder = QFile::decodeName(argv[1]);
    if (QFile::exists(folder + QStringLiteral("/.complete"))) return 0;
    return Make(folder) ? 0 : 1;
}
