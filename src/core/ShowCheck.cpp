#include "core/ShowCheck.h"

#include "core/EventFile.h"
#include "core/EventRules.h"
#include "core/ListDataFile.h"
#include "core/ListRules.h"
#include "core/PictureHeaders.h"
#include "core/ProjectFiles.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <tuple>
#include <vector>

namespace ShowCheck {

namespace {

const QString kIgnored = QStringLiteral("「ペルモローダー」では、このイベントは無視されます。");
const QString kPickAgain = QStringLiteral("ファイルをフォルダに戻すか、イベント編集で別のファイルを選び直してください。");

// A file that the events name, looked up and judged once however many
// events name it.
struct MediaFile {
    QString actual;  // name in the folder; empty when there is no such file
    bool usable = false;
    PictureHeaders::Facts headers;  // of a picture
};

// Where the show first uses a file of the folder.
struct FileUse {
    QString actual;
    int item = 0;  // 0 for the list data file
    int row = 0;
};

class Checker {
public:
    Checker(const Module1& m, const PictureCheck& canDecode, CheckCache::Store* cache, const Progress& progress)
        : m_(m), canDecode_(canDecode), cache_(cache), progress_(progress)
    {
    }

    QList<Finding> Run()
    {
        const QString& startGraphic = m_.ListTable[Module1::kStartGraphicRow][1];
        if (!startGraphic.isEmpty()) pictureUses_.push_back({Module1::kStartGraphicRow, 0, PictureId(startGraphic)});
        int items = 0;
        while (items < Module1::kLastItemRow && !m_.ListTable[items + 1][1].isEmpty()) ++items;
        // Reading an item counts as one step, decoding a picture as ten.
        for (int item = 1; item <= items && GoOn(item - 1, 11 * qint64(items)); ++item) CheckItem(item);
        progressItems_ = items;
        DecodePictures();
        for (const PictureUse& use : pictureUses_) AddPictureFinding(use);
        AddLeftovers();
        AddWindowsFindings();
        // Most severe first; the start graphic before the items; items and
        // their events in row order; left-over files by number.
        std::stable_sort(findings_.begin(), findings_.end(), [](const Finding& a, const Finding& b) {
            const auto key = [](const Finding& f) {
                return std::tuple(int(f.problem), f.item == Module1::kStartGraphicRow ? 0 : f.item, f.eventRow);
            };
            return key(a) < key(b);
        });
        return findings_;
    }

private:
    struct PictureName {
        QString name;  // as the event or row 1002 names it
        int picture;   // index into pictures_
    };
    struct PictureUse {
        int item;
        int row;
        int name;  // index into pictureNames_
    };

    void Add(Problem problem, int item, int row, const QString& file, const QString& text)
    {
        findings_.append({problem, item, m_.ListTable[item][1], row, file, text});
    }

    void CheckItem(int item)
    {
        const QString& name = m_.ListTable[item][1];
        const QString& file = m_.ListTable[item][2];
        // As the event editor opens an item: a name that is not a plain file
        // name is refused, a missing file ends the program.
        if (!EventFile::IsEventFileName(file)) {
            Add(Problem::EventFileMissing, item, 0, file, ItemPlace(item, name) + UnopenableItemText(file));
            return;
        }
        if (!EventFile::Exists(m_.ProjectFolder, file)) {
            Add(Problem::EventFileMissing, item, 0, file, ItemPlace(item, name) + MissingEventFileText(file));
            return;
        }
        const FileResult read = EventFile::Read(m_.ProjectFolder, file, *events_);
        if (!read.ok) {
            Add(Problem::EventFileDamaged, item, 0, file, ItemPlace(item, name) + UnreadableEventFileText(read.message));
            return;
        }
        if (!read.notice.isEmpty())
            Add(Problem::EventFileDamaged, item, 0, file, ItemPlace(item, name) + DamagedEventFileText(file));
        Use(ProjectFiles::FindFileNoCase(m_.ProjectFolder, file), item, 0);
        CheckEvents(item);
    }

    void CheckEvents(int item)
    {
        const EventRows& events = *events_;
        const QString& name = m_.ListTable[item][1];
        bool any = false;
        for (int row = 1; row < Module1::kFileRows; ++row) {
            if (!EventRules::HoldsEvent(events, row)) continue;
            any = true;
            const QString& file = events[row][1];
            const EventRules::PreviewAction action = EventRules::PreviewOf(events, row);
            if (action == EventRules::PreviewAction::ShowPicture) pictureUses_.push_back({item, row, PictureId(file)});
            if (action == EventRules::PreviewAction::PlayOnce || action == EventRules::PreviewAction::PlayLoop)
                CheckWav(item, row, file);
        }
        const EventRules::Course course = EventRules::CourseOf(events);
        if (course.spinsForever)
            Add(Problem::EndlessWithoutPause, item, course.turn, {}, EventPlace(item, name, course.turn) + EndlessWithoutPauseText());
        if (course.firstUnreached)
            Add(Problem::EventsNeverReached, item, course.firstUnreached, {},
                EventPlace(item, name, course.firstUnreached) + NeverReachedText(course.turn, course.backToStart, course.unreached));
        if (!any) Add(Problem::NoEvents, item, 0, m_.ListTable[item][2], ItemPlace(item, name) + NoEventsText());
    }

    // Pictures are looked up now and decoded later, all at once. Names that
    // differ in letter case but find the same file share its decoding.
    int PictureId(const QString& name)
    {
        if (const auto it = pictureNameIds_.constFind(name); it != pictureNameIds_.cend()) return *it;
        const QString actual = ProjectFiles::FindFileNoCase(m_.ProjectFolder, name);
        int picture = actual.isEmpty() ? -1 : pictureByActual_.value(actual, -1);
        if (picture < 0) {
            picture = int(pictures_.size());
            pictures_.push_back({actual, false, {}});
            if (!actual.isEmpty()) pictureByActual_.insert(actual, picture);
        }
        const int id = int(pictureNames_.size());
        pictureNames_.push_back({name, picture});
        pictureNameIds_.insert(name, id);
        return id;
    }

    // The photographs of a show are large: they are decoded on every core,
    // unless the cache knows them as they are.
    void DecodePictures()
    {
        struct Job {
            MediaFile* picture;
            std::optional<CheckCache::Stamp> stamp;
        };
        std::vector<Job> jobs;
        for (MediaFile& p : pictures_) {
            if (p.actual.isEmpty()) continue;
            const auto stamp = CheckCache::StampOf(m_.ProjectPath(p.actual));
            const auto known = cache_ && stamp ? cache_->Find(m_.ProjectPath(p.actual), *stamp) : std::nullopt;
            if (known) {
                p.usable = known->usable;
                p.headers = known->headers;
            } else {
                jobs.push_back({&p, stamp});
            }
        }
        std::atomic<size_t> next{0};
        std::atomic<size_t> decoded{0};
        std::vector<char> done(jobs.size(), 0);
        const qint64 items = progressItems_;
        const auto work = [&] {
            for (size_t i; GoOn(items + 10 * qint64(decoded), items + 10 * qint64(jobs.size())) && (i = next++) < jobs.size();) {
                MediaFile& p = *jobs[i].picture;
                p.headers = PictureHeaders::Read(m_.ProjectPath(p.actual));
                p.usable = canDecode_ && canDecode_(m_.ProjectPath(p.actual));
                done[i] = 1;
                ++decoded;
            }
        };
        const size_t threads = std::min<size_t>(jobs.size(), std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
        std::vector<std::thread> helpers;
        for (size_t t = 1; t < threads; ++t) helpers.emplace_back(work);
        work();
        for (std::thread& t : helpers) t.join();
        if (!cache_ || !canDecode_) return;
        for (size_t i = 0; i < jobs.size(); ++i)
            if (const Job& job = jobs[i]; done[i] && job.stamp) cache_->Put(m_.ProjectPath(job.picture->actual), *job.stamp, {job.picture->usable, job.picture->headers});
    }

    void AddPictureFinding(const PictureUse& use)
    {
        const QString& file = pictureNames_[use.name].name;
        const MediaFile& picture = pictures_[pictureNames_[use.name].picture];
        Use(picture.actual, use.item, use.row);
        if (picture.usable) {
            if (!doubted_.contains(picture.actual)) {
                doubted_.insert(picture.actual);
                for (const PictureHeaders::Reason& reason : PictureHeaders::Doubts(picture.actual, picture.headers))
                    findings_.append({DoubtProblem(reason.doubt), use.item, m_.ListTable[use.item][1], use.row, file,
                                      UsePlace(use.item, use.row) + reason.text});
            }
            return;
        }
        const bool found = !picture.actual.isEmpty();
        if (use.item == Module1::kStartGraphicRow) {
            findings_.append({Problem::PictureUnusable, use.item, {}, 0, file, StartGraphicPlace() + StartGraphicText(file, found)});
            return;
        }
        Add(Problem::PictureUnusable, use.item, use.row, file,
            EventPlace(use.item, m_.ListTable[use.item][1], use.row) + PictureText(file, found));
    }

    void CheckWav(int item, int row, const QString& file)
    {
        auto it = wavs_.find(file);
        if (it == wavs_.end()) {
            const QString actual = ProjectFiles::FindFileNoCase(m_.ProjectFolder, file);
            it = wavs_.insert(file, {actual, !actual.isEmpty() && IsPlayableWav(m_.ProjectPath(actual)), {}});
        }
        Use(it->actual, item, row);
        if (it->usable) return;
        Add(Problem::WavUnusable, item, row, file, EventPlace(item, m_.ListTable[item][1], row) + WavText(file, !it->actual.isEmpty()));
    }

    // Tells how far the check is; false once it is to stop.
    bool GoOn(qint64 done, qint64 total)
    {
        if (stopped_ || !progress_) return !stopped_;
        if (!progress_(done, total)) stopped_ = true;
        return !stopped_;
    }

    static Problem DoubtProblem(PictureHeaders::Doubt doubt)
    {
        switch (doubt) {
        case PictureHeaders::Doubt::FormatMismatch: return Problem::FormatMismatch;
        case PictureHeaders::Doubt::JpegCoding: return Problem::JpegCoding;
        case PictureHeaders::Doubt::Orientation: return Problem::Orientation;
        case PictureHeaders::Doubt::BmpKind: break;
        }
        return Problem::BmpKind;
    }

    QString UsePlace(int item, int row) const
    {
        if (item == 0) return {};
        if (item == Module1::kStartGraphicRow) return StartGraphicPlace();
        return row ? EventPlace(item, m_.ListTable[item][1], row) : ItemPlace(item, m_.ListTable[item][1]);
    }

    // The show uses the file `actual` of the folder (empty: none) here.
    void Use(const QString& actual, int item, int row)
    {
        if (actual.isEmpty() || used_.contains(actual)) return;
        used_.insert(actual);
        uses_.push_back({actual, item, row});
    }

    // Names that Windows cannot hold, and files that Windows would take for
    // one, each at the show's first use of it.
    void AddWindowsFindings()
    {
        uses_.insert(uses_.begin(), {ListDataFile::Find(m_.ProjectFolder), 0, 0});
        QHash<QString, QString> byFoldedName;
        for (const FileUse& use : uses_) {
            if (use.actual.isEmpty()) continue;
            const QString why = ProjectFiles::WindowsNameProblem(use.actual);
            if (!why.isEmpty())
                findings_.append({Problem::WindowsName, use.item, m_.ListTable[use.item][1], use.row, use.actual,
                                  UsePlace(use.item, use.row) + WindowsNameText(use.actual, why)});
            const QString folded = use.actual.toLower();
            const QString twin = byFoldedName.value(folded);
            if (!twin.isEmpty() && twin != use.actual)
                findings_.append({Problem::CaseTwin, use.item, m_.ListTable[use.item][1], use.row, use.actual,
                                  UsePlace(use.item, use.row) + CaseTwinText(twin, use.actual)});
            else
                byFoldedName.insert(folded, use.actual);
        }
    }

    // Event files of the editor's own form that no item row names.
    void AddLeftovers()
    {
        QSet<QString> named;
        for (int row = 1; row <= Module1::kLastItemRow; ++row)
            if (!m_.ListTable[row][2].isEmpty())
                named.insert(ProjectFiles::FindFileNoCase(m_.ProjectFolder, m_.ListTable[row][2]));
        QStringList left;
        for (const QString& name : QDir(m_.ProjectFolder).entryList(QDir::Files | QDir::Hidden, QDir::NoSort))
            if (ListRules::EventFileNumber(name) > 0 && !named.contains(name)) left << name;
        std::sort(left.begin(), left.end(), [](const QString& a, const QString& b) {
            return std::tuple(a.size(), a.toLower(), a) < std::tuple(b.size(), b.toLower(), b);
        });
        for (const QString& name : left)
            findings_.append({Problem::LeftoverEventFile, 0, {}, 0, name, LeftoverText(name)});
    }

    const Module1& m_;
    const PictureCheck& canDecode_;
    CheckCache::Store* cache_;
    const Progress& progress_;
    std::atomic<bool> stopped_{false};
    qint64 progressItems_ = 0;  // the steps of reading the items
    std::vector<FileUse> uses_;
    QSet<QString> used_;
    QSet<QString> doubted_;
    std::unique_ptr<EventRows> events_ = std::make_unique<EventRows>();  // the item being checked
    QList<Finding> findings_;
    QHash<QString, int> pictureNameIds_;
    std::vector<PictureName> pictureNames_;
    QHash<QString, int> pictureByActual_;
    std::vector<MediaFile> pictures_;
    std::vector<PictureUse> pictureUses_;
    QHash<QString, MediaFile> wavs_;
};

}  // namespace

QList<Finding> Check(const Module1& m, const PictureCheck& canDecodePicture, CheckCache::Store* cache,
                     const Progress& progress)
{
    return Checker(m, canDecodePicture, cache, progress).Run();
}

QString NothingFoundMessage() { return QStringLiteral("問題は見つかりませんでした。"); }

QString DamagedListMessage(const QString& file)
{
    return QStringLiteral("「%1」の一部が壊れています。読み取れた部分を点検しました。").arg(file);
}

QString ItemPlace(int item, const QString& itemName)
{
    return QStringLiteral("%1番の項目「%2」：").arg(QString::number(item), itemName);
}

QString EventPlace(int item, const QString& itemName, int row)
{
    return QStringLiteral("%1番の項目「%2」の%3番のイベント：").arg(QString::number(item), itemName, QString::number(row));
}

QString StartGraphicPlace() { return QStringLiteral("スタートグラフィック："); }

QString UnopenableItemText(const QString& file)
{
    return (file.isEmpty() ? QStringLiteral("イベントファイル名が空のため、")
                           : QStringLiteral("イベントファイル名「%1」が正しくないため、").arg(file))
        + QStringLiteral("イベント編集で開けません。項目を削除して作り直してください。");
}

QString MissingEventFileText(const QString& file)
{
    return QStringLiteral("イベントファイル「%1」がありません。このままイベント編集で開くと「ペルモ」が終了します。"
                          "項目を削除して作り直してください。")
        .arg(file);
}

QString UnreadableEventFileText(const QString& readMessage)
{
    return readMessage + QStringLiteral("読み取りの許可を確かめ、直らないときは項目を削除して作り直してください。");
}

QString DamagedEventFileText(const QString& file)
{
    return QStringLiteral("イベントファイル「%1」の一部が壊れています。イベント編集で開くと読み取れない部分が取り除かれるので、"
                          "内容を確かめてから「トップメニューに戻る」で保存し直してください。")
        .arg(file);
}

QString EndlessWithoutPauseText()
{
    return QStringLiteral("この「エンドレス」より前に「ウエイト」も「テキスト表示」もないため、待たずに最初へ戻り続けます。"
                          "「エンドレス」の前に「ウエイト」を入れてください。");
}

QString NeverReachedText(int turn, bool backToStart, int unreached)
{
    const QString at = QString::number(turn);
    return (backToStart ? QStringLiteral("%1番の「エンドレス」より後にあるため、").arg(at)
                        : QStringLiteral("%1番の空の行より後にあるため、").arg(at))
        + QStringLiteral("ここから後の%1個のイベントは再生されません。").arg(unreached)
        + (backToStart ? QStringLiteral("必要なイベントは「エンドレス」より前に移してください。")
                       : QStringLiteral("項目は最初の空の行で終わります。空の行にイベントを入れてください。"));
}

QString NoEventsText()
{
    return QStringLiteral("イベントがないため、選んでも何も再生されません。"
                          "「イベント作成、編集」でイベントを作るか、項目を削除してください。");
}

namespace {

QString PictureProblem(const QString& file, bool found)
{
    if (file.isEmpty()) return QStringLiteral("グラフィックファイルが指定されていません。");
    if (!found) return QStringLiteral("グラフィックファイル「%1」がありません。").arg(file);
    return QStringLiteral("グラフィックファイル「%1」を読み込めません。壊れているか、gif,jpg,bmp 以外の形式の可能性があります。").arg(file);
}

}  // namespace

QString StartGraphicText(const QString& file, bool found)
{
    return PictureProblem(file, found)
        + QStringLiteral("「ペルモローダー」では表示されません。リスト編集の「ｽﾀｰﾄｸﾞﾗﾌｨｯｸ選択」で選び直してください。");
}

QString PictureText(const QString& file, bool found)
{
    return PictureProblem(file, found) + kIgnored
        + (found ? QStringLiteral("正しく表示できるファイルに差し替えてください。") : kPickAgain);
}

QString WavText(const QString& file, bool found)
{
    if (file.isEmpty()) return QStringLiteral("Wavファイルが指定されていません。") + kIgnored + kPickAgain;
    if (!found) return QStringLiteral("Wavファイル「%1」がありません。").arg(file) + kIgnored + kPickAgain;
    return QStringLiteral("Wavファイル「%1」は再生できる形式ではありません（再生できるのは、8 ビットか 16 ビットでモノラルかステレオの PCM 形式の wav です）。"
                          "その形式に変換したファイルに差し替えてください。")
        .arg(file);
}

QString WindowsNameText(const QString& file, const QString& why)
{
    return QStringLiteral("ファイル「%1」の名前は Windows で使えません。").arg(file) + why
        + QStringLiteral("このままでは Windows のパソコンに移せないため、名前を変えてから選び直してください。");
}

QString CaseTwinText(const QString& first, const QString& second)
{
    return QStringLiteral("「%1」と「%2」は大文字と小文字の違いしかなく、Windows では一つのファイルになります。"
                          "どちらかの名前を変えてから、選び直してください。")
        .arg(first, second);
}

QString LeftoverText(const QString& file)
{
    return QStringLiteral("イベントファイル「%1」：どの項目にも使われていません。再生には関係しないので、"
                          "要らなければ手で削除してかまいません。")
        .arg(file);
}

QStringList Lines(const QList<Finding>& findings)
{
    QStringList lines;
    for (const Finding& f : findings) lines << f.text;
    return lines;
}

bool IsPlayableWav(const QString& path)
{
    // Accepted: a RIFF file of form WAVE whose 'fmt ' chunk (16 bytes or
    // more) says plain PCM (format tag 1), one or two channels, a sample rate
    // above 0 and 8 or 16 bits per sample, followed later by a 'data' chunk.
    // Refused: anything else, also compressed formats (ADPCM, MP3 inside a
    // wav), float samples, the extensible header and other bit depths, which
    // the player's sound call does not play. Only the chunk headers are read.
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = f.read(12);
    if (head.size() != 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") return false;
    bool pcm = false;
    for (int chunk = 0; chunk < 4096; ++chunk) {
        const QByteArray header = f.read(8);
        if (header.size() != 8) return false;
        const QByteArray id = header.left(4);
        const qint64 size = qFromLittleEndian<quint32>(header.constData() + 4);
        if (id == "data") return pcm;
        qint64 skip = size + (size & 1);  // chunks are padded to an even length
        if (id == "fmt ") {
            const QByteArray fmt = f.read(16);
            if (size < 16 || fmt.size() != 16) return false;
            const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(fmt.constData() + at); };
            const quint16 channels = u16(2);
            const quint16 bits = u16(14);
            pcm = u16(0) == 1 && (channels == 1 || channels == 2) && qFromLittleEndian<quint32>(fmt.constData() + 4) > 0
                && (bits == 8 || bits == 16);
            if (!pcm) return false;
            skip -= 16;
        }
        if (!f.seek(f.pos() + skip)) return false;
    }
    return false;
}

}  // namespace ShowCheck
