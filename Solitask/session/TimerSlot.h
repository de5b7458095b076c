#pragma once

#include "Solitask/session/Scheduler.h"

/// A place for one timer owned by an object: scheduling replaces (cancels) the
/// timer held before, and destroying the slot cancels it, so no callback runs
/// for an owner that is gone.
class TimerSlot
{
public:
    explicit TimerSlot(Scheduler &scheduler);
    ~TimerSlot();
    TimerSlot(const TimerSlot &) = delete;
    TimerSlot &operator=(const TimerSlot &) = delete;

    void once(double seconds, std::function<void()> action, double leeway = 0);
    void repeating(double seconds, std::function<void()> action, double leeway = 0);
    void cancel();
    bool isActive() const { return m_id != 0; }

private:
    Scheduler &m_scheduler;
    TimerId m_id = 0;
    // Bumped on every replacement so a one-shot that fires can tell whether it
    // is still the slot's current timer before clearing it.
    std::uint64_t m_generation = 0;
};
