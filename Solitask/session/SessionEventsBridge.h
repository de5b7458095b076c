#pragma once

#include "Solitask/session/SystemEventSource.h"

class SessionEvents;

/// Hands the platform's sleep, wake and lock signals to the session.
class SessionEventsBridge : public SystemEventSource
{
public:
    explicit SessionEventsBridge(SessionEvents &events);

    void subscribe(SystemHandlers handlers) override;

private:
    SessionEvents &m_events;
};
