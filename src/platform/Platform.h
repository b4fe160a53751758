#pragma once
// The services of the desktop that the windows use and that tests observe:
// the alert beep, ending the whole program, sound, the screen saver, and
// the desktop's own dialog for choosing files.

#include <QString>
#include <QStringList>

class QWidget;

class Platform {
public:
    virtual ~Platform() = default;
    // The system's standard alert sound.
    virtual void Beep() = 0;
    // Ends the program at once: every window closes, nothing is saved.
    // A handler that calls it returns right after.
    virtual void EndProgram() = 0;

    // Sound flags as the player's system knows them.
    static constexpr int kSndAsync = 1;  // return at once, play in the background
    static constexpr int kSndLoop = 8;   // repeat until stopped (with kSndAsync)

    // The player's sound call: an empty `fileName` stops whatever plays;
    // otherwise the wav file at the full path `fileName` starts, ending the
    // sound before it. A wav that exists but cannot be played gives the
    // default sound (the beep) instead. Without a sound device nothing is
    // heard and nothing fails.
    virtual void sndPlaySoundA(const QString& fileName, int flags) = 0;

    // True once a sound could not be heard because there is no sound device.
    virtual bool SoundDeviceMissing() const = 0;

    // Keeps the screen saver from starting while `hold` is true, through the
    // desktop's inhibit service; where there is none, nothing happens.
    virtual void HoldScreenSaver(bool hold) = 0;

    // The desktop's dialog for opening files, over `parent`: the files the
    // user chose, several at once, starting in `folder` with `filters` (name
    // filters as Qt writes them, "絵 (*.png *.jpg)") to choose from; empty
    // when the user cancels.
    virtual QStringList ChooseFiles(QWidget* parent, const QString& title, const QString& folder,
                                    const QStringList& filters) = 0;

    // What a window says while SoundDeviceMissing() holds.
    static QString NoSoundDeviceNotice() { return QStringLiteral("音を出す装置が見つからないため、音は鳴りません。"); }
};
