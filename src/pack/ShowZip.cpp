#include "pack/ShowZip.h"

#include "core/Cp932.h"
#include "core/Records.h"
#include "core/SaveFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <minizip/zip.h>
#include <zlib.h>

#include <cerrno>

#include <unistd.h>

namespace ShowZip {

namespace {

constexpr qint64 kChunk = 1 << 20;
constexpr uLong kVersionMadeBy = 20;  // MS-DOS and FAT, zip 2.0: as a Windows zip is
constexpr uLong kArchiveAttribute = 0x20;

// minizip writes through these, into the hidden file that SaveFile opened.
struct Sink {
    int fd;
    bool failed = false;
};

voidpf ZCALLBACK OpenSink(voidpf opaque, const void*, int) { return opaque; }
uLong ZCALLBACK ReadNothing(voidpf, voidpf, void*, uLong) { return 0; }
int ZCALLBACK CloseSink(voidpf, voidpf) { return 0; }
int ZCALLBACK SinkError(voidpf, voidpf stream) { return static_cast<Sink*>(stream)->failed ? -1 : 0; }

uLong ZCALLBACK WriteSink(voidpf, voidpf stream, const void* buf, uLong size)
{
    auto* sink = static_cast<Sink*>(stream);
    uLong at = 0;
    while (at < size) {
        const ssize_t n = ::write(sink->fd, static_cast<const char*>(buf) + at, size - at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            sink->failed = true;
            break;
        }
        at += uLong(n);
    }
    return at;
}

ZPOS64_T ZCALLBACK TellSink(voidpf, voidpf stream)
{
    const off_t at = ::lseek(static_cast<Sink*>(stream)->fd, 0, SEEK_CUR);
    return at < 0 ? ZPOS64_T(-1) : ZPOS64_T(at);
}

long ZCALLBACK SeekSink(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    const int whence = origin == ZLIB_FILEFUNC_SEEK_CUR ? SEEK_CUR : origin == ZLIB_FILEFUNC_SEEK_END ? SEEK_END
                                                                                                      : SEEK_SET;
    return ::lseek(static_cast<Sink*>(stream)->fd, off_t(offset), whence) < 0 ? -1 : 0;
}

// Info-ZIP's Unicode Path field: version 1, the CRC-32 of the name as the
// header stores it, the name in UTF-8.
QByteArray UnicodePathField(const QByteArray& stored, const QString& name)
{
    const QByteArray utf8 = name.toUtf8();
    QByteArray field(9, '\0');
    qToLittleEndian<quint16>(0x7075, field.data());
    qToLittleEndian<quint16>(quint16(5 + utf8.size()), field.data() + 2);
    field[4] = 1;
    qToLittleEndian<quint32>(quint32(crc32(0, reinterpret_cast<const Bytef*>(stored.constData()), uInt(stored.size()))),
                             field.data() + 5);
    return field + utf8;
}

// The file's time as a zip entry holds it: local time, from 1980 on.
zip_fileinfo EntryInfo(const QDateTime& modified)
{
    const QDateTime t = std::max(modified, QDateTime(QDate(1980, 1, 1), QTime(0, 0)));
    zip_fileinfo info{};
    info.tmz_date.tm_sec = uInt(t.time().second());
    info.tmz_date.tm_min = uInt(t.time().minute());
    info.tmz_date.tm_hour = uInt(t.time().hour());
    info.tmz_date.tm_mday = uInt(t.date().day());
    info.tmz_date.tm_mon = uInt(t.date().month() - 1);
    info.tmz_date.tm_year = uInt(t.date().year());
    info.external_fa = kArchiveAttribute;
    return info;
}

bool IsInside(const QString& path, const QString& folder)
{
    const QString dir = QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
    const QString top = QFileInfo(folder).canonicalFilePath();
    return !dir.isEmpty() && !top.isEmpty() && (dir == top || dir.startsWith(top + QLatin1Char('/')));
}

class Packer {
public:
    Packer(const ShowFiles::Plan& plan, const Progress& progress) : plan_(plan), progress_(progress) {}

    // Writes every file into `zip`; false with `message_` set when one
    // cannot be read, false alone when the zip could not be written or the
    // progress said stop.
    bool Run(zipFile zip)
    {
        for (const ShowFiles::File& f : plan_.files)
            total_ += f.kind == ShowFiles::Kind::ListData && plan_.listData ? plan_.listData->size()
                                                                            : QFileInfo(Path(f)).size();
        if (!Tell()) return false;
        for (const ShowFiles::File& f : plan_.files)
            if (!Add(zip, f)) return false;
        return true;
    }

    const QString& message() const { return message_; }
    bool stopped() const { return stopped_; }

private:
    QString Path(const ShowFiles::File& f) const { return QDir(plan_.folder).filePath(f.name); }

    bool Tell()
    {
        stopped_ = progress_ && !progress_(done_, total_);
        return !stopped_;
    }

    bool Add(zipFile zip, const ShowFiles::File& f)
    {
        const bool fromMemory = f.kind == ShowFiles::Kind::ListData && plan_.listData.has_value();
        QFile file(Path(f));
        if (!fromMemory && !file.open(QIODevice::ReadOnly)) {
            message_ = Records::ReadFailedMessage(f.name);
            return false;
        }
        const QString name = plan_.topFolder + QLatin1Char('/') + f.name;
        const QByteArray stored = Cp932::Encode(name).bytes;
        const QByteArray extra = UnicodePathField(stored, name);
        const bool media = f.kind == ShowFiles::Kind::Picture || f.kind == ShowFiles::Kind::Wav;
        const zip_fileinfo info = EntryInfo(fromMemory ? QDateTime::currentDateTime() : file.fileTime(QFileDevice::FileModificationTime));
        const int zip64 = fromMemory ? 0 : file.size() >= 0xffffffffLL;
        // flagBase 0: bit 11 stays clear, so that Windows reads the name as
        // CP932, its code page in Japan.
        if (zipOpenNewFileInZip4_64(zip, stored.constData(), &info, extra.constData(), uInt(extra.size()),
                                    extra.constData(), uInt(extra.size()), nullptr, media ? 0 : Z_DEFLATED,
                                    media ? 0 : Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, nullptr,
                                    0, kVersionMadeBy, 0, zip64)
            != ZIP_OK)
            return false;
        bool ok = fromMemory ? Put(zip, *plan_.listData) : true;
        while (ok && !fromMemory) {
            const QByteArray chunk = file.read(kChunk);
            if (chunk.isEmpty()) {
                if (!file.atEnd()) message_ = Records::ReadFailedMessage(f.name);
                ok = file.atEnd();
                break;
            }
            ok = Put(zip, chunk);
        }
        return zipCloseFileInZip(zip) == ZIP_OK && ok;
    }

    bool Put(zipFile zip, const QByteArray& bytes)
    {
        if (zipWriteInFileInZip(zip, bytes.constData(), unsigned(bytes.size())) != ZIP_OK) return false;
        done_ += bytes.size();
        return Tell();
    }

    const ShowFiles::Plan& plan_;
    const Progress& progress_;
    qint64 total_ = 0;
    qint64 done_ = 0;
    bool stopped_ = false;
    QString message_;
};

}  // namespace

Result Write(const ShowFiles::Plan& plan, const QString& zipPath, const Progress& progress)
{
    if (!plan.problems.isEmpty()) return {false, false, 0, RefusalMessage(plan.problems)};
    if (IsInside(zipPath, plan.folder))
        return {false, false, 0, InsideFolderMessage(plan.topFolder)};
    const QString zipName = QFileInfo(zipPath).fileName();
    QString hidden;
    const int fd = SaveFile::OpenHidden(zipPath, hidden);
    if (fd < 0) return {false, false, 0, Records::SaveFailedMessage(zipName)};

    Sink sink{fd};
    zlib_filefunc64_def io{OpenSink, ReadNothing, WriteSink, TellSink, SeekSink, CloseSink, SinkError, &sink};
    Packer packer(plan, progress);
    bool ok = false;
    if (zipFile zip = zipOpen2_64("", APPEND_STATUS_CREATE, nullptr, &io)) {
        ok = packer.Run(zip);
        ok = zipClose(zip, nullptr) == ZIP_OK && ok;
    }
    ok = SaveFile::Finish(fd, hidden, zipPath, ok && !sink.failed);
    if (ok)
        return {true, false, int(plan.files.size()), PackedMessage(int(plan.files.size()), zipPath)};
    if (packer.stopped()) return {false, true, 0, StoppedMessage()};
    return {false, false, 0, packer.message().isEmpty() ? Records::SaveFailedMessage(zipName) : packer.message()};
}

QString RefusalMessage(const QStringList& problems)
{
    return QStringLiteral("Windows用にまとめられません。次の問題を直してから、もう一度まとめてください。\n・")
        + problems.join(QStringLiteral("\n・"));
}

QString InsideFolderMessage(const QString& topFolder)
{
    return QStringLiteral("zip ファイルは、ショーのフォルダ「%1」の中には作れません。フォルダの外の場所を選んでください。").arg(topFolder);
}

QString PackedMessage(int files, const QString& zipPath)
{
    return QStringLiteral("%1 個のファイルを「%2」にまとめました。このファイルを Windows のパソコンにコピーし、展開してください。")
        .arg(QString::number(files), QDir::toNativeSeparators(zipPath));
}

QString StoppedMessage() { return QStringLiteral("まとめるのを中止しました。zip ファイルは作っていません。"); }

QString ReplaceQuestion(const QString& zipName)
{
    return QStringLiteral("「%1」はすでにあります。新しい zip ファイルで置き換えますか？").arg(zipName);
}

QString ZipExistsMessage(const QString& zipPath)
{
    return QStringLiteral("「%1」はすでにあります。別の名前を指定するか、先に移動してください。").arg(zipPath);
}

}  // namespace ShowZip
