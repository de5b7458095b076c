#include "Solitask/session/SessionEventsBridge.h"

#include "Solitask/platform/SessionEvents.h"

SessionEventsBridge::SessionEventsBridge(SessionEvents &events)
    : m_events(events)
{
}

void SessionEventsBridge::subscribe(SystemHandlers handlers)
{
    // The handlers already hold the session weakly; the events object is their context.
    QObject::connect(&m_events, &SessionEvents::willSleep, &m_events, handlers.willSleep);
    QObject::connect(&m_events, &SessionEvents::didWake, &m_events, handlers.didWake);
    QObject::connect(&m_events, &SessionEvents::locked, &m_events, handlers.screenLocked);
    QObject::connect(&m_events, &SessionEvents::unlocked, &m_events, handlers.screenUnlocked);
}
