#include "Solitask/session/TimerSlot.h"

TimerSlot::TimerSlot(Scheduler &scheduler)
    : m_scheduler(scheduler)
{
}

TimerSlot::~TimerSlot()
{
    cancel();
}

void TimerSlot::once(double seconds, std::function<void()> action, double leeway)
{
    cancel();
    const std::uint64_t generation = m_generation;
    m_id = m_scheduler.once(
        seconds,
        [this, generation, action = std::move(action)] {
            if (generation == m_generation)
                m_id = 0;
            action();
        },
        leeway);
}

void TimerSlot::repeating(double seconds, std::function<void()> action, double leeway)
{
    cancel();
    m_id = m_scheduler.repeating(seconds, std::move(action), leeway);
}

void TimerSlot::cancel()
{
    ++m_generation;
    if (m_id == 0)
        return;
    m_scheduler.cancel(m_id);
    m_id = 0;
}
