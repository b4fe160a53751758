#pragma once
// A platform whose beeps, program end and sounds are recorded instead of happening.

#include "platform/Platform.h"

#include <QStringList>

class FakePlatform : public Platform {
public:
    int beeps = 0;
    int endRequests = 0;
    bool noSoundDevice = false;
    bool screenSaverHeld = false;
    QStringList sounds;  // "stop", "once NAME" or "loop NAME" (NAME without its folder)

    void Beep() override { ++beeps; }
    void EndProgram() override { ++endRequests; }
    bool SoundDeviceMissing() const override { return noSoundDevice; }
    void HoldScreenSaver(bool hold) override { screenSaverHeld = hold; }
    void sndPlaySoundA(const QString& file, int flags) override
    {
        sounds.append(file.isEmpty() ? "stop" : ((flags & kSndLoop) ? "loop " : "once ") + file.section('/', -1));
    }
};
