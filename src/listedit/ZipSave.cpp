#include "listedit/ZipSave.h"

#include "dialogs/Messages.h"

#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTimer>

#include <atomic>
#include <thread>

namespace ZipSave {

namespace {

constexpr int kShowProgressAfterMs = 500;
constexpr int kSteps = 1000;

}  // namespace

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
                          QStringLiteral("「%1」はすでにあります。新しい zip ファイルで置き換えますか？").arg(existing.fileName())))
        return {};
    return path;
}

ShowZip::Result Write(QWidget* parent, const ShowFiles::Plan& plan, const QString& zipPath)
{
    std::atomic<qint64> done{0};
    std::atomic<qint64> total{0};
    std::atomic<bool> stop{false};
    std::atomic<bool> finished{false};
    ShowZip::Result result;
    QEventLoop loop;
    std::thread packer([&] {
        result = ShowZip::Write(plan, zipPath, [&](qint64 now, qint64 all) {
            done = now;
            total = all;
            return !stop;
        });
        finished = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });

    // Most shows are packed before anyone would notice: until then the
    // window is painted, but clicks wait, as for any short step.
    QTimer::singleShot(kShowProgressAfterMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished) {
        QProgressDialog progress(QStringLiteral("Windows用にまとめています…"), QStringLiteral("中止"), 0, kSteps, parent);
        progress.setObjectName(QStringLiteral("dlgZipProgress"));
        progress.setWindowTitle(QStringLiteral("Windows用にまとめる"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(0);
        progress.setAutoClose(false);
        progress.setAutoReset(false);
        QObject::connect(&progress, &QProgressDialog::canceled, [&] { stop = true; });
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 all = total;
            if (all > 0 && !progress.wasCanceled()) progress.setValue(int(done * kSteps / all));
        });
        tick.start(100);
        progress.show();
        if (!finished) loop.exec();
    }
    packer.join();
    return result;
}

}  // namespace ZipSave
