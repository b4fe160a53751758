#pragma once
// A step that may take a while (checking a show, packing it), run on a
// thread of its own so that the window stays painted. Past half a second a
// progress dialog shows, modal to the window, whose "中止" asks the step to
// stop.

#include <QString>

#include <atomic>
#include <functional>

class QWidget;

namespace LongWork {

// What the step reports and what it is asked; the step's thread writes the
// counts and reads `stop`.
struct Progress {
    std::atomic<qint64> done{0};
    std::atomic<qint64> total{0};
    std::atomic<bool> stop{false};
    // For the step's own callbacks: records the counts; false once stopping.
    bool Report(qint64 now, qint64 all)
    {
        done = now;
        total = all;
        return !stop;
    }
};

// Runs `work` to its end; true unless the user stopped it. Until the dialog
// shows, the window is painted but clicks wait, as for any short step.
bool Run(QWidget* parent, const QString& title, const QString& label, const std::function<void(Progress&)>& work);

}  // namespace LongWork
