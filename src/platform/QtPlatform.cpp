#include "platform/QtPlatform.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>

#include <cstdio>
#include <cstdlib>

QtPlatform::QtPlatform() : sound_([] { QApplication::beep(); }) {}

void QtPlatform::Beep()
{
    QApplication::beep();
}

void QtPlatform::EndProgram()
{
    // Every window goes with the process; nothing is saved.
    std::fflush(nullptr);
    std::_Exit(0);
}

void QtPlatform::sndPlaySoundA(const QString& fileName, int flags)
{
    sound_.Play(fileName, flags);
}

void QtPlatform::HoldScreenSaver(bool hold)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || hold == (screenSaverCookie_ != 0)) return;
    const QString service = QStringLiteral("org.freedesktop.ScreenSaver");
    const QString path = QStringLiteral("/org/freedesktop/ScreenSaver");
    // A short timeout: a desktop whose service hangs must not freeze the window.
    constexpr int kTimeoutMs = 500;
    if (hold) {
        QDBusMessage call = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("Inhibit"));
        call << QStringLiteral("pelumo") << QStringLiteral("ショーのリハーサル");
        const QDBusMessage reply = bus.call(call, QDBus::Block, kTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            screenSaverCookie_ = reply.arguments().first().toUInt();
    } else {
        QDBusMessage call = QDBusMessage::createMethodCall(service, path, service, QStringLiteral("UnInhibit"));
        call << screenSaverCookie_;
        bus.call(call, QDBus::NoBlock);
        screenSaverCookie_ = 0;
    }
}
