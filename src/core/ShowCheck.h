#pragma once
// The show checked as the player will meet it: the list in memory and the
// files of the project folder, one finding per problem, most severe first.
// Nothing is written; each event file is read once and each picture file is
// handed to the caller's decode check once.

#include "core/CheckCache.h"
#include "core/Module1.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace ShowCheck {

// What is wrong, most severe first; the findings are in this order.
enum class Problem {
    EventFileMissing,     // opening the item ends the program, or is refused (not a plain file name)
    EventFileDamaged,     // the event file cannot be read, or reads only with damaged parts left out
    PictureUnusable,      // a picture event or the start graphic: no such file, or it does not decode
    WavUnusable,          // a wav event: no such file, or not a wav that plays
    EndlessWithoutPause,  // "エンドレス" with neither "ウエイト" nor "テキスト表示" before it
    EventsNeverReached,   // events after the first "エンドレス" or the first empty row
    NoEvents,             // a named item without events
    LeftoverEventFile,    // an event file in the folder that no item names
    // What keeps the show from working on the player's Windows PC:
    WindowsName,     // a file the show uses has a name Windows cannot hold
    CaseTwin,        // two files the show uses differ only in letter case
    FormatMismatch,  // a picture whose content is not the format its name says
    JpegCoding,      // a JPEG coded in a way older decoders refuse
    Orientation,     // a photograph that is upright only by its EXIF orientation
    BmpKind,         // a BMP kind older decoders refuse
};

struct Finding {
    Problem problem;
    int item = 0;      // ListTable row: 1..999 an item, 1002 the start graphic, 0 a left-over file
    QString itemName;  // column 1 of that row
    int eventRow = 0;  // EventTable row, 0 when the finding is about no one event
    QString file;      // the file concerned, as the tables name it (or as the folder does)
    QString text;      // one line for the user: where, what is wrong, what to do
};

// Whether a picture file decodes as gif, jpg or bmp. Called from several
// threads at once.
using PictureCheck = std::function<bool(const QString& path)>;

// Checks the items of m.ListTable (rows 1.. up to the first unnamed row, as
// the item picker lists them), the start graphic and m.ProjectFolder. What
// `cache` knows of an unchanged picture is taken instead of decoding it
// again, and what is learnt is put into it. `progress`, when given, hears how
// far the check is (called from several threads at once); answering false
// stops it, and what it found so far is returned.
using Progress = std::function<bool(qint64 done, qint64 total)>;
QList<Finding> Check(const Module1& m, const PictureCheck& canDecodePicture, CheckCache::Store* cache = nullptr,
                     const Progress& progress = {});

// "問題は見つかりませんでした。"
QString NothingFoundMessage();
// The check went on with what could be read of a damaged list data file.
QString DamagedListMessage(const QString& file);

// Where a finding is, at the start of its text.
QString ItemPlace(int item, const QString& itemName);
QString EventPlace(int item, const QString& itemName, int row);
QString StartGraphicPlace();

// What a finding says after its place: what is wrong and what to do.
QString UnopenableItemText(const QString& file);  // the event file name is empty or not one of ours
QString MissingEventFileText(const QString& file);
QString UnreadableEventFileText(const QString& readMessage);
QString DamagedEventFileText(const QString& file);
QString EndlessWithoutPauseText();
QString NeverReachedText(int turn, bool backToStart, int unreached);
QString NoEventsText();
// A picture or wav that is not named (`file` empty), not in the folder
// (`found` false), or found but does not decode or play.
QString StartGraphicText(const QString& file, bool found);
QString PictureText(const QString& file, bool found);
QString WavText(const QString& file, bool found);
QString WindowsNameText(const QString& file, const QString& why);
QString CaseTwinText(const QString& first, const QString& second);
// A whole finding: its place is the file.
QString LeftoverText(const QString& file);

// The finding texts, in order.
QStringList Lines(const QList<Finding>& findings);

// Whether the file at `path` is a wav the player plays: RIFF WAVE, plain PCM
// of 8 or 16 bits, mono or stereo (only the chunk headers are read).
bool IsPlayableWav(const QString& path);

}  // namespace ShowCheck
