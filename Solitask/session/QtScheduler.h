#pragma once

#include "Solitask/session/Scheduler.h"

#include <QObject>

#include <map>
#include <memory>

class QTimer;

/// Timers of the running Qt event loop on the calling (main) thread.
class QtScheduler : public Scheduler
{
public:
    QtScheduler();
    ~QtScheduler() override;

    TimerId once(double seconds, std::function<void()> action, double leeway = 0) override;
    TimerId repeating(double seconds, std::function<void()> action, double leeway = 0) override;
    void cancel(TimerId id) override;

private:
    TimerId start(double seconds, bool single, std::function<void()> action, double leeway);
    void fire(TimerId id);

    std::map<TimerId, std::unique_ptr<QTimer>> m_timers;
    std::map<TimerId, std::function<void()>> m_actions;
    TimerId m_nextId = 1;
    QObject m_context;
};
