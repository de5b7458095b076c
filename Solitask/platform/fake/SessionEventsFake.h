#pragma once

#include "Solitask/platform/SessionEvents.h"

/// Lock state and events made by hand: lock() and unlock() change the state
/// and emit, sleep() and wake() only emit.
class SessionEventsFake : public SessionEvents
{
    Q_OBJECT

public:
    using SessionEvents::SessionEvents;

    Support support() const override { return Support::yes(); }
    bool isScreenLocked() override { return m_locked; }

    /// Changes the state without an event, as a lock noticed late would.
    void setLocked(bool locked) { m_locked = locked; }
    void lock()
    {
        m_locked = true;
        Q_EMIT locked();
    }
    void unlock()
    {
        m_locked = false;
        Q_EMIT unlocked();
    }
    void sleep() { Q_EMIT willSleep(); }
    void wake() { Q_EMIT didWake(); }

private:
    bool m_locked = false;
};
