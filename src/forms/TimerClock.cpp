#include "forms/TimerClock.h"

#include <QTimer>

#include <utility>

TimerClock::TimerClock(QObject* window, const QString& name, std::function<void()> fired)
    : timer_(new QTimer(window))
{
    timer_->setObjectName(name);
    timer_->setSingleShot(true);
    QObject::connect(timer_, &QTimer::timeout, window, std::move(fired));
}

void TimerClock::Start(int millis) { timer_->start(millis); }

void TimerClock::Stop() { timer_->stop(); }
