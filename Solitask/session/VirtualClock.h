#pragma once

#include "Solitask/session/Clock.h"
#include "Solitask/session/Scheduler.h"

#include <map>

/// Test time: a clock and a scheduler that only move when told to. `advance`
/// moves both and fires every timer that falls due, in order of due time (and
/// of scheduling for equal times), with `now()` set to each timer's due moment
/// while it runs. `jump` moves only the wall clock, as a manual clock change or
/// a suspend does to a real machine's timers.
class VirtualClock : public Clock, public Scheduler
{
public:
    explicit VirtualClock(const QDateTime &start = QDateTime::fromSecsSinceEpoch(1767258000));

    QDateTime now() const override;
    TimerId once(double seconds, std::function<void()> action, double leeway = 0) override;
    TimerId repeating(double seconds, std::function<void()> action, double leeway = 0) override;
    void cancel(TimerId id) override;

    /// Moves time forward, firing due timers; negative values count as 0.
    void advance(double seconds);
    /// Advances until the wall clock reads `instant` (nothing if it is past).
    void advanceTo(const QDateTime &instant);
    /// Moves the wall clock alone, by any amount (suspends, manual changes).
    void jump(double seconds);
    /// Timers still scheduled.
    int pendingTimers() const { return int(m_timers.size()); }

private:
    struct Entry
    {
        qint64 dueMs;
        qint64 intervalMs; // 0 for one-shot timers
        std::function<void()> action;
    };

    TimerId add(double seconds, qint64 intervalMs, std::function<void()> action);
    bool fireNextDue(qint64 untilMs);

    QDateTime m_start;
    qint64 m_monotonicMs = 0;
    qint64 m_wallOffsetMs = 0;
    TimerId m_nextId = 1;
    std::map<TimerId, Entry> m_timers;
};
