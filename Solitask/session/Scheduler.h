#pragma once

#include <cstdint>
#include <functional>

/// Identifies one scheduled timer; 0 never names a timer.
using TimerId = std::uint64_t;

/// One-shot and repeating timers on the main thread. Delays are measured on a
/// clock that does not jump when the wall clock does (a manual change or a
/// suspend moves `Clock::now` but not the timers), like QTimer's.
class Scheduler
{
public:
    virtual ~Scheduler() = default;

    /// Runs `action` once after `seconds` (negative counts as 0). `leeway` is
    /// how late the timer may fire; timers with leeway are coalesced.
    virtual TimerId once(double seconds, std::function<void()> action, double leeway = 0) = 0;

    /// Runs `action` every `seconds` (at least one millisecond), first after one interval.
    virtual TimerId repeating(double seconds, std::function<void()> action, double leeway = 0) = 0;

    /// Stops a timer; unknown or already finished ids are ignored.
    virtual void cancel(TimerId id) = 0;
};
