#pragma once

#include "Solitask/platform/GlobalHotKey.h"

/// A hot key whose registration answers a chosen status; `press` fires it
/// while registered.
class GlobalHotKeyFake : public GlobalHotKey
{
    Q_OBJECT

public:
    using GlobalHotKey::GlobalHotKey;

    Support support() const override { return Support::yes(); }
    int registerHotKey() override
    {
        ++m_registrations;
        m_registered = m_status == 0;
        return m_status;
    }
    void unregisterHotKey() override
    {
        if (m_registered)
            ++m_unregistrations;
        m_registered = false;
    }

    void setStatus(int status) { m_status = status; }
    bool isRegistered() const { return m_registered; }
    int registrations() const { return m_registrations; }
    int unregistrations() const { return m_unregistrations; }
    void press()
    {
        if (m_registered)
            Q_EMIT pressed();
    }

private:
    int m_status = 0;
    bool m_registered = false;
    int m_registrations = 0;
    int m_unregistrations = 0;
};
