#pragma once

#include "Solitask/platform/KeyEventSource.h"
#include "Solitask/platform/ModifierFlags.h"

/// Key events made by hand; they reach listeners only while monitoring.
class KeyEventSourceFake : public KeyEventSource
{
    Q_OBJECT

public:
    using KeyEventSource::KeyEventSource;

    Support support() const override { return Support::yes(); }
    bool isTrusted() override { return m_trusted; }
    void startMonitoring() override { m_monitoring = true; }
    void stopMonitoring() override { m_monitoring = false; }

    void setTrusted(bool trusted) { m_trusted = trusted; }
    bool isMonitoring() const { return m_monitoring; }
    void flags(std::uint32_t flags)
    {
        if (m_monitoring)
            Q_EMIT flagsChanged(flags);
    }
    void key()
    {
        if (m_monitoring)
            Q_EMIT keyDown();
    }

private:
    bool m_trusted = true;
    bool m_monitoring = false;
};
