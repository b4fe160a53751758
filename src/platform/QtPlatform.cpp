#include "platform/QtPlatform.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileDialog>

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

QStringList QtPlatform::ChooseFiles(QWidget* parent, const QString& title, const QString& folder,
                                    const QStringList& filters)
{
    QFileDialog dialog(parent, title, folder);
    dialog.setObjectName(QStringLiteral("dlgFiles"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilters(filters);
    // Qt's own dialog speaks English unless told; the desktop's ignores these.
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("場所："));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("ファイル名："));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("種類："));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("開く"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}
