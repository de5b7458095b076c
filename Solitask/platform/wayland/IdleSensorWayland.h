#pragma once

#include "Solitask/platform/IdleSensor.h"

#include <QElapsedTimer>

#include <memory>

class WaylandConnection;

/// Idle time from the compositor: a notification one second after the last
/// input (ext-idle-notify, else KDE's idle protocol), counted on from there
/// until input resumes.
class IdleSensorWayland : public IdleSensor
{
public:
    /// Null when the compositor offers neither protocol or has no seat.
    static std::unique_ptr<IdleSensorWayland> create(std::shared_ptr<WaylandConnection> connection);
    ~IdleSensorWayland() override;

    Support support() const override;
    double idleSeconds() override;

    /// Protocol events; public for the C callbacks only.
    void idled();
    void resumed();

    static constexpr int thresholdMs = 1000;

private:
    IdleSensorWayland(
        std::shared_ptr<WaylandConnection> connection, void *notification, void (*destroy)(void *));

    std::shared_ptr<WaylandConnection> m_connection;
    void *m_notification = nullptr;
    void (*m_destroy)(void *) = nullptr;
    bool m_idle = false;
    QElapsedTimer m_since;
};
