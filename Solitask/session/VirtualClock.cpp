#include "Solitask/session/VirtualClock.h"

#include <algorithm>
#include <cmath>

namespace {

qint64 toMs(double seconds)
{
    if (!std::isfinite(seconds))
        return 0;
    return qint64(std::llround(std::clamp(seconds, -1e12, 1e12) * 1000.0));
}

} // namespace

VirtualClock::VirtualClock(const QDateTime &start)
    : m_start(start.toUTC())
{
}

QDateTime VirtualClock::now() const
{
    return m_start.addMSecs(m_monotonicMs + m_wallOffsetMs);
}

TimerId VirtualClock::once(double seconds, std::function<void()> action, double)
{
    return add(seconds, 0, std::move(action));
}

TimerId VirtualClock::repeating(double seconds, std::function<void()> action, double)
{
    const qint64 interval = std::max<qint64>(1, toMs(seconds));
    return add(double(interval) / 1000.0, interval, std::move(action));
}

void VirtualClock::cancel(TimerId id)
{
    m_timers.erase(id);
}

TimerId VirtualClock::add(double seconds, qint64 intervalMs, std::function<void()> action)
{
    const TimerId id = m_nextId++;
    m_timers[id]
        = {m_monotonicMs + std::max<qint64>(0, toMs(seconds)), intervalMs, std::move(action)};
    return id;
}

void VirtualClock::advance(double seconds)
{
    const qint64 until = m_monotonicMs + std::max<qint64>(0, toMs(seconds));
    while (fireNextDue(until)) { }
    m_monotonicMs = until;
}

void VirtualClock::advanceTo(const QDateTime &instant)
{
    advance(double(now().msecsTo(instant)) / 1000.0);
}

void VirtualClock::jump(double seconds)
{
    m_wallOffsetMs += toMs(seconds);
}

bool VirtualClock::fireNextDue(qint64 untilMs)
{
    // Ids grow with scheduling order, so the first minimum is the earliest scheduled.
    auto next = std::min_element(m_timers.begin(), m_timers.end(),
        [](auto &a, auto &b) { return a.second.dueMs < b.second.dueMs; });
    if (next == m_timers.end() || next->second.dueMs > untilMs)
        return false;
    m_monotonicMs = next->second.dueMs;
    auto action = next->second.action;
    if (next->second.intervalMs > 0)
        next->second.dueMs += next->second.intervalMs;
    else
        m_timers.erase(next);
    action();
    return true;
}
