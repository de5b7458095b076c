#include "Solitask/session/QtScheduler.h"

#include <QTimer>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

int toMilliseconds(double seconds, int floor)
{
    const double ms = std::isfinite(seconds) ? std::round(seconds * 1000.0) : 0.0;
    return int(std::clamp(ms, double(floor), double(std::numeric_limits<int>::max())));
}

} // namespace

QtScheduler::QtScheduler() = default;
QtScheduler::~QtScheduler() = default;

TimerId QtScheduler::once(double seconds, std::function<void()> action, double leeway)
{
    return start(seconds, true, std::move(action), leeway);
}

TimerId QtScheduler::repeating(double seconds, std::function<void()> action, double leeway)
{
    return start(seconds, false, std::move(action), leeway);
}

void QtScheduler::cancel(TimerId id)
{
    m_actions.erase(id);
    auto found = m_timers.find(id);
    if (found == m_timers.end())
        return;
    // The timer may be the sender of the signal being handled right now.
    QTimer *timer = found->second.release();
    m_timers.erase(found);
    timer->stop();
    timer->deleteLater();
}

TimerId QtScheduler::start(double seconds, bool single, std::function<void()> action, double leeway)
{
    const TimerId id = m_nextId++;
    auto timer = std::make_unique<QTimer>();
    timer->setSingleShot(single);
    // Coarse timers may fire up to 5 % late, which is what leeway allows.
    timer->setTimerType(leeway > 0 ? Qt::CoarseTimer : Qt::PreciseTimer);
    timer->setInterval(toMilliseconds(seconds, single ? 0 : 1));
    QObject::connect(timer.get(), &QTimer::timeout, &m_context, [this, id] { fire(id); });
    timer->start();
    m_actions[id] = std::move(action);
    m_timers[id] = std::move(timer);
    return id;
}

void QtScheduler::fire(TimerId id)
{
    auto found = m_actions.find(id);
    if (found == m_actions.end())
        return;
    // Copy: the action may cancel its own timer or schedule others.
    auto action = found->second;
    if (m_timers[id]->isSingleShot())
        cancel(id);
    action();
}
