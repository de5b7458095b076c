#include "Solitask/platform/wayland/IdleSensorWayland.h"

#include "Solitask/platform/wayland/WaylandConnection.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "idle-client-protocol.h"

namespace {

IdleSensorWayland &of(void *data)
{
    return *static_cast<IdleSensorWayland *>(data);
}

void extIdled(void *data, ext_idle_notification_v1 *)
{
    of(data).idled();
}
void extResumed(void *data, ext_idle_notification_v1 *)
{
    of(data).resumed();
}
const ext_idle_notification_v1_listener extListener {extIdled, extResumed};

void kdeIdled(void *data, org_kde_kwin_idle_timeout *)
{
    of(data).idled();
}
void kdeResumed(void *data, org_kde_kwin_idle_timeout *)
{
    of(data).resumed();
}
const org_kde_kwin_idle_timeout_listener kdeListener {kdeIdled, kdeResumed};

void destroyExt(void *notification)
{
    ext_idle_notification_v1_destroy(static_cast<ext_idle_notification_v1 *>(notification));
}

void destroyKde(void *notification)
{
    org_kde_kwin_idle_timeout_release(static_cast<org_kde_kwin_idle_timeout *>(notification));
}

} // namespace

std::unique_ptr<IdleSensorWayland> IdleSensorWayland::create(
    std::shared_ptr<WaylandConnection> connection)
{
    wl_seat *seat = connection->seat();
    if (!seat)
        return nullptr;
    if (auto *notifier = static_cast<ext_idle_notifier_v1 *>(
            connection->bind(&ext_idle_notifier_v1_interface, 1))) {
        auto *notification
            = ext_idle_notifier_v1_get_idle_notification(notifier, thresholdMs, seat);
        ext_idle_notifier_v1_destroy(notifier);
        std::unique_ptr<IdleSensorWayland> sensor(
            new IdleSensorWayland(connection, notification, destroyExt));
        ext_idle_notification_v1_add_listener(notification, &extListener, sensor.get());
        return sensor;
    }
    auto *idle
        = static_cast<org_kde_kwin_idle *>(connection->bind(&org_kde_kwin_idle_interface, 1));
    if (!idle)
        return nullptr;
    auto *timeout = org_kde_kwin_idle_get_idle_timeout(idle, seat, thresholdMs);
    wl_proxy_destroy(reinterpret_cast<wl_proxy *>(idle)); // the global has no destructor request
    std::unique_ptr<IdleSensorWayland> sensor(
        new IdleSensorWayland(connection, timeout, destroyKde));
    org_kde_kwin_idle_timeout_add_listener(timeout, &kdeListener, sensor.get());
    return sensor;
}

IdleSensorWayland::IdleSensorWayland(
    std::shared_ptr<WaylandConnection> connection, void *notification, void (*destroy)(void *))
    : m_connection(std::move(connection))
    , m_notification(notification)
    , m_destroy(destroy)
{
}

IdleSensorWayland::~IdleSensorWayland()
{
    m_destroy(m_notification);
}

Support IdleSensorWayland::support() const
{
    return m_connection->support();
}

double IdleSensorWayland::idleSeconds()
{
    // Events may wait in the socket when the event loop has not run lately.
    m_connection->roundtrip();
    return m_idle ? thresholdMs / 1000.0 + m_since.elapsed() / 1000.0 : 0;
}

void IdleSensorWayland::idled()
{
    m_idle = true;
    m_since.start();
}

void IdleSensorWayland::resumed()
{
    m_idle = false;
}
