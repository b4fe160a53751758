#include "platform/QtPlatform.h"

#include <QApplication>
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
