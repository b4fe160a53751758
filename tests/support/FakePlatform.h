#pragma once
// A platform whose beeps, program end and sounds are recorded instead of
// happening.

#include "platform/Platform.h"

#include <QStringList>

class FakePlatform : public Platform {
public:
    int beeps = 0;
    int endRequests = 0;
    bool noSoundDevice = false;
    // One entry per sound call: "stop", "once NAME" or "loop NAME" (NAME
    // without its folder).
    QStringList sounds;

    void Beep() override { ++beeps; }
    void EndProgram() override { ++endRequests; }
    bool SoundDeviceMissing() const override { return noSoundDevice; }
    void sndPlaySoundA(const QString& fileName, int flags) override
    {
        if (fileName.isEmpty()) {
            sounds.append(QStringLiteral("stop"));
            return;
        }
        const QString name = fileName.section(QLatin1Char('/'), -1);
        sounds.append(((flags & kSndLoop) ? QStringLiteral("loop ") : QStringLiteral("once ")) + name);
    }
};
