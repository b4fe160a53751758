#pragma once
// The platform services of the running program.

#include "platform/Platform.h"
#include "platform/SdlSound.h"

class QtPlatform : public Platform {
public:
    QtPlatform();
    void Beep() override;
    void EndProgram() override;
    void sndPlaySoundA(const QString& fileName, int flags) override;
    bool SoundDeviceMissing() const override { return sound_.DeviceMissing(); }
    void HoldScreenSaver(bool hold) override;
    QStringList ChooseFiles(QWidget* parent, const QString& title, const QString& folder,
                            const QStringList& filters) override;

private:
    SdlSound sound_;
    uint screenSaverCookie_ = 0;  // the inhibit service's, while held
};
