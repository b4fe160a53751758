#include "listedit/ZipSave.h"

#include "dialogs/Messages.h"
#include "forms/LongWork.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace ZipSave {

QString AskPath(Module1& m, Platform& platform, QWidget* parent, const QString& topFolder)
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    QFileDialog dialog(parent, QStringLiteral("Windows用にまとめる zip ファイルの保存先"));
    dialog.setObjectName(QStringLiteral("dlgZip"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("zip ファイル (*.zip)"));
    dialog.setDefaultSuffix(QStringLiteral("zip"));
    // The replace question is ours, in the program's own question box.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("場所："));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("ファイル名："));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("種類："));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("保存"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
    dialog.setDirectory(QDir(desktop).exists() ? desktop : QDir::homePath());
    dialog.selectFile(topFolder + QStringLiteral(".zip"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString path = dialog.selectedFiles().constFirst();
    const QFileInfo existing(path);
    if ((existing.exists() || existing.isSymLink())
        && !Messages::Ask(m, platform, parent,
                          ShowZip::ReplaceQuestion(existing.fileName())))
        return {};
    return path;
}

ShowZip::Result Write(QWidget* parent, const ShowFiles::Plan& plan, const QString& zipPath)
{
    ShowZip::Result result;
    LongWork::Run(parent, QStringLiteral("Windows用にまとめる"), QStringLiteral("Windows用にまとめています…"),
                  [&](LongWork::Progress& progress) {
                      result = ShowZip::Write(plan, zipPath, [&](qint64 done, qint64 total) {
                          return progress.Report(done, total);
                      });
                  });
    return result;
}

}  // namespace ZipSave
