#include "forms/LongWork.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <thread>

namespace LongWork {

namespace {

constexpr int kShowProgressAfterMs = 500;
constexpr int kSteps = 1000;

}  // namespace

bool Run(QWidget* parent, const QString& title, const QString& label, const std::function<void(Progress&)>& work)
{
    Progress progress;
    std::atomic<bool> finished{false};
    QEventLoop loop;
    std::thread worker([&] {
        work(progress);
        finished = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });

    QTimer::singleShot(kShowProgressAfterMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished) {
        QProgressDialog dialog(label, QStringLiteral("中止"), 0, kSteps, parent);
        dialog.setObjectName(QStringLiteral("dlgProgress"));
        dialog.setWindowTitle(title);
        dialog.setWindowModality(Qt::WindowModal);
        dialog.setMinimumDuration(0);
        dialog.setAutoClose(false);
        dialog.setAutoReset(false);
        QObject::connect(&dialog, &QProgressDialog::canceled, [&] { progress.stop = true; });
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            const qint64 all = progress.total;
            if (all > 0 && !dialog.wasCanceled()) dialog.setValue(int(progress.done * kSteps / all));
        });
        tick.start(100);
        dialog.show();
        if (!finished) loop.exec();
    }
    worker.join();
    return !progress.stop;
}

}  // namespace LongWork
