#pragma once
// A platform whose beeps, program end and sounds are recorded instead of
// happening, and whose file dialog gives what the test put in `chosenFiles`.

#include "platform/Platform.h"

#include <QStringList>

class FakePlatform : public Platform {
public:
    int beeps = 0;
    int endRequests = 0;
    bool noSoundDevice = false;
    bool screenSaverHeld = false;
    QStringList sounds;  // "stop", "once NAME" or "loop NAME" (NAME without its folder)
    QStringList chosenFiles;
    QStringList fileDialogs;  // "FOLDER|FILTERS", FILTERS joined by ";;", of each dialog opened

    void Beep() override { ++beeps; }
    void EndProgram() override { ++endRequests; }
    bool SoundDeviceMissing() const override { return noSoundDevice; }
    void HoldScreenSaver(bool hold) override { screenSaverHeld = hold; }
    void sndPlaySoundA(const QString& file, int flags) override
    {
        sounds.append(file.isEmpty() ? "stop" : ((flags & kSndLoop) ? "loop " : "once ") + file.section('/', -1));
    }
    QStringList ChooseFiles(QWidget*, const QString&, const QString& folder, const QStringList& filters) override
    {
        fileDialogs.append(folder + '|' + filters.join(";;"));
        return chosenFiles;
    }
};
