#pragma once
// A play's clock on a single-shot QTimer, a child of the window that owns the
// play; `fired` (the play's Tick) runs when a wait is over.

#include "core/ShowPlay.h"

#include <functional>

class QObject;
class QTimer;

class TimerClock : public PlayClock {
public:
    TimerClock(QObject* window, const QString& name, std::function<void()> fired);

    void Start(int millis) override;
    void Stop() override;

private:
    QTimer* timer_;
};
