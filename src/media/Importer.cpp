#include "media/Importer.h"

#include "core/PictureHeaders.h"
#include "media/Converted.h"
#include "media/ImportNames.h"
#include "media/PictureConvert.h"
#include "media/SoundConvert.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include <sys/stat.h>

namespace Converted {

File Copy(const QString& source, const QString& folder, const QString& extension, const Cancel& cancel)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return Refused(UnreadableReason());
    auto out = std::make_unique<NewFile>(folder);
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (qint64 n; (n = in.read(chunk.data(), chunk.size())) != 0;) {
        if (n < 0) return Refused(UnreadableReason());
        if (cancel) return Refused(CancelledReason());
        if (!out->Append(chunk.constData(), n)) return Refused(WriteFailedReason());
    }
    return {std::move(out), extension, {}};
}

}  // namespace Converted

namespace Importer {

namespace {

using Converted::Refused;

constexpr qint64 kMaxSource = qint64(2) << 30;

// What one source becomes: refused at once for what it is, or a picture or
// a sound by its content (never by its name).
Converted::File Prepare(const QString& source, const QString& folder, const Converted::Cancel& cancel)
{
    struct stat st;
    if (::stat(QFile::encodeName(source).constData(), &st) != 0)
        return Refused(errno == ENOENT ? NotFoundReason() : Converted::UnreadableReason());
    if (!S_ISREG(st.st_mode)) return Refused(NotAFileReason());
    if (st.st_size == 0) return Refused(EmptyReason());
    if (st.st_size > kMaxSource) return Refused(TooLargeReason());
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) return Refused(Converted::UnreadableReason());
    const QByteArray head = file.read(64);
    file.close();

    // libheif is loaded only for a file that may be one of its.
    if (head.mid(4, 4) == "ftyp" && PictureConvert::IsHeif(head)) return PictureConvert::FromHeif(source, folder, cancel);
    if (PictureHeaders::Parse(head).format != PictureHeaders::Format::Unknown)
        return PictureConvert::FromQt(source, folder, cancel);
    if (SoundConvert::PlayerPlays(source)) return Converted::Copy(source, folder, QStringLiteral("wav"), cancel);
    SoundConvert::Seen seen;
    Converted::File sound = SoundConvert::FromFfmpeg(source, folder, cancel, seen);
    if (seen == SoundConvert::Seen::Sound) return sound;
    // FFmpeg takes some picture formats for videos of one frame.
    if (PictureConvert::QtReads(source)) return PictureConvert::FromQt(source, folder, cancel);
    if (seen == SoundConvert::Seen::Video) return sound;
    return Refused(UnknownKindReason());
}

// Gives the converted file its name: the source's, made safe, with a counter
// when the folder has it (or comes to have it meanwhile).
Result Name(const QString& folder, const QString& source, Converted::File converted)
{
    Result result{source, {}, converted.reason};
    if (!converted.file) return result;
    const QString wanted = ImportNames::SafeName(QFileInfo(source).fileName(), converted.extension);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString name = ImportNames::FreeName(folder, wanted);
        const NewFile::Named named = converted.file->GiveName(name);
        if (named == NewFile::Named::Done) {
            result.name = name;
            return result;
        }
        if (named == NewFile::Named::Failed) break;
    }
    result.reason = Converted::WriteFailedReason();
    return result;
}

}  // namespace

QList<Result> Import(const QString& folder, const QStringList& sources, const Progress& progress)
{
    const int total = int(sources.size());
    std::vector<Converted::File> converted(total);
    std::vector<char> ready(total, 0);
    std::mutex mutex;
    std::condition_variable readied;
    std::atomic<int> next{0};
    Converted::Cancel cancel{false};

    // Each worker takes the next source in turn; the names are given here,
    // in order, as each is ready.
    const auto work = [&] {
        for (int i; (i = next++) < total;) {
            Converted::File file = cancel ? Refused(Converted::CancelledReason()) : Prepare(sources[i], folder, cancel);
            const std::lock_guard lock(mutex);
            converted[i] = std::move(file);
            ready[i] = 1;
            readied.notify_all();
        }
    };
    std::vector<std::jthread> workers;
    const int count = std::min(total, int(std::max(1u, std::thread::hardware_concurrency())));
    for (int t = 0; t < count; ++t) workers.emplace_back(work);

    const auto goOn = [&](int done) {
        if (progress && !cancel && !progress(done, total)) cancel = true;
    };
    QList<Result> results;
    for (int i = 0; i < total; ++i) {
        std::unique_lock lock(mutex);
        while (!readied.wait_for(lock, std::chrono::milliseconds(100), [&] { return ready[i] != 0; })) {
            lock.unlock();
            goOn(i);
            lock.lock();
        }
        Converted::File file = std::move(converted[i]);
        lock.unlock();
        if (cancel && file.file) file = Refused(Converted::CancelledReason());
        results << Name(folder, sources[i], std::move(file));
        goOn(i + 1);
    }
    return results;
}

QStringList Sources(const QStringList& dropped)
{
    QStringList sources;
    for (const QString& path : dropped) {
        if (!QFileInfo(path).isDir()) {
            sources << path;
            continue;
        }
        const QDir folder(path);
        for (const QString& name : folder.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase)) sources << folder.filePath(name);
    }
    return sources;
}

QStringList NewNames(const QList<Result>& results)
{
    QStringList names;
    for (const Result& r : results)
        if (!r.name.isEmpty()) names << r.name;
    return names;
}

QString Line(const Result& result, const QString& shown)
{
    if (result.name.isEmpty()) return RefusedLine(shown, result.reason);
    return QStringLiteral("%1 → %2").arg(shown, result.name);
}

QString Heading(const QList<Result>& results)
{
    const auto in = std::count_if(results.begin(), results.end(), [](const Result& r) { return !r.name.isEmpty(); });
    if (in == 0) return QStringLiteral("ファイルを取り込めませんでした。");
    if (in == results.size()) return QStringLiteral("%1 個のファイルを取り込みました。").arg(in);
    return QStringLiteral("%1 個のうち %2 個のファイルを取り込みました。").arg(results.size()).arg(in);
}

QString PicturePatterns()
{
    return QStringLiteral("*.jpg *.jpeg *.png *.heic *.heif *.webp *.gif *.bmp *.tif *.tiff");
}

QString SoundPatterns()
{
    return QStringLiteral("*.mp3 *.m4a *.aac *.wav *.ogg *.oga *.opus *.flac *.wma *.aif *.aiff");
}

QString NotFoundReason() { return QStringLiteral("ファイルが見つかりません。"); }

QString NotAFileReason() { return QStringLiteral("フォルダなど、ファイルでないものは取り込めません。"); }

QString EmptyReason() { return QStringLiteral("ファイルが空です（0 バイト）。"); }

QString TooLargeReason() { return QStringLiteral("2 GB を超えるファイルは取り込めません。"); }

QString UnknownKindReason()
{
    return QStringLiteral("画像としても音声としても読み取れませんでした。ファイルが壊れているか、対応していない形式です。"
                          "画像は JPEG・PNG・GIF・BMP・WebP・TIFF・HEIC など、音声は WAV・MP3・AAC・FLAC・Ogg などを選んでください。");
}

QString RefusedLine(const QString& source, const QString& reason)
{
    return QStringLiteral("%1：取り込めません。%2").arg(source, reason);
}

}  // namespace Importer
