#include "Solitask/platform/wayland/WaylandConnection.h"

#include "SolitaskCore/Diag.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>

#include "xdg-output-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>

namespace {

void onGlobal(void *data, wl_registry *, uint32_t name, const char *interface, uint32_t version)
{
    static_cast<WaylandConnection *>(data)->announce(name, interface, version);
}

void onGlobalRemove(void *data, wl_registry *, uint32_t name)
{
    static_cast<WaylandConnection *>(data)->withdraw(name);
}

const wl_registry_listener registryListener {onGlobal, onGlobalRemove};

void outputGeometry(void *, wl_output *, int32_t, int32_t, int32_t, int32_t, int32_t, const char *,
    const char *, int32_t)
{
}
void outputMode(void *, wl_output *, uint32_t, int32_t, int32_t, int32_t) { }
void outputDone(void *, wl_output *) { }
void outputScale(void *, wl_output *, int32_t) { }
void outputName(void *data, wl_output *, const char *name)
{
    static_cast<WaylandConnection::Output *>(data)->name = QString::fromUtf8(name);
}
void outputDescription(void *, wl_output *, const char *) { }

const wl_output_listener outputListener {
    outputGeometry, outputMode, outputDone, outputScale, outputName, outputDescription};

// wlroots reports every output at 0,0 through wl_output: the layout position
// comes from xdg-output.
void logicalPosition(void *data, zxdg_output_v1 *, int32_t x, int32_t y)
{
    static_cast<WaylandConnection::Output *>(data)->position = QPoint(x, y);
}
void logicalSize(void *, zxdg_output_v1 *, int32_t, int32_t) { }
void logicalDone(void *, zxdg_output_v1 *) { }
void logicalName(void *, zxdg_output_v1 *, const char *) { }
void logicalDescription(void *, zxdg_output_v1 *, const char *) { }

const zxdg_output_v1_listener logicalListener {
    logicalPosition, logicalSize, logicalDone, logicalName, logicalDescription};

void forget(WaylandConnection::Output &output)
{
    if (output.logical)
        zxdg_output_v1_destroy(output.logical);
    wl_proxy_destroy(reinterpret_cast<wl_proxy *>(output.output));
}

} // namespace

std::shared_ptr<WaylandConnection> WaylandConnection::open(const char *name)
{
    wl_display *display = wl_display_connect(name);
    if (!display)
        return nullptr;
    std::shared_ptr<WaylandConnection> connection(new WaylandConnection(display));
    // Twice: the first answers the globals, the second the outputs' names.
    if (!connection->roundtrip() || !connection->roundtrip())
        return nullptr;
    connection->watch();
    return connection;
}

WaylandConnection::WaylandConnection(wl_display *display)
    : m_display(display)
{
    m_registry = wl_display_get_registry(display);
    wl_registry_add_listener(m_registry, &registryListener, this);
}

WaylandConnection::~WaylandConnection()
{
    delete m_notifier;
    for (const auto &output : m_outputs)
        forget(*output);
    if (m_xdgOutputs)
        zxdg_output_manager_v1_destroy(m_xdgOutputs);
    if (m_seat)
        wl_proxy_destroy(reinterpret_cast<wl_proxy *>(m_seat));
    if (m_shm)
        wl_proxy_destroy(reinterpret_cast<wl_proxy *>(m_shm));
    wl_registry_destroy(m_registry);
    wl_display_disconnect(m_display);
}

bool WaylandConnection::isAlive() const
{
    return wl_display_get_error(m_display) == 0;
}

Support WaylandConnection::support() const
{
    return isAlive() ? Support::yes()
                     : Support::no(QStringLiteral("the connection to the compositor is lost"));
}

void WaylandConnection::announce(uint32_t name, const char *interface, uint32_t version)
{
    m_globals.append({name, QString::fromUtf8(interface), version});
    if (qstrcmp(interface, wl_output_interface.name) == 0)
        bindOutput(name, version);
    if (qstrcmp(interface, zxdg_output_manager_v1_interface.name) == 0 && !m_xdgOutputs) {
        m_xdgOutputs = static_cast<zxdg_output_manager_v1 *>(
            wl_registry_bind(m_registry, name, &zxdg_output_manager_v1_interface, 1));
        for (const auto &output : m_outputs)
            locate(*output);
    }
}

void WaylandConnection::withdraw(uint32_t name)
{
    m_globals.removeIf([name](const Global &g) { return g.name == name; });
    std::erase_if(m_outputs, [name](const std::unique_ptr<Output> &o) {
        if (o->id == name)
            forget(*o);
        return o->id == name;
    });
}

void WaylandConnection::bindOutput(uint32_t name, uint32_t version)
{
    auto *output = static_cast<wl_output *>(
        wl_registry_bind(m_registry, name, &wl_output_interface, std::min(version, 4u)));
    m_outputs.push_back(std::make_unique<Output>(Output {output, name, {}, {}, nullptr}));
    wl_output_add_listener(output, &outputListener, m_outputs.back().get());
    locate(*m_outputs.back());
}

void WaylandConnection::locate(Output &output)
{
    if (!m_xdgOutputs || output.logical)
        return;
    output.logical = zxdg_output_manager_v1_get_xdg_output(m_xdgOutputs, output.output);
    zxdg_output_v1_add_listener(output.logical, &logicalListener, &output);
}

QList<WaylandConnection::Output> WaylandConnection::outputs() const
{
    QList<Output> list;
    for (const auto &output : m_outputs)
        list.append(*output);
    return list;
}

QSet<QString> WaylandConnection::interfaces() const
{
    QSet<QString> names;
    for (const Global &g : m_globals)
        names.insert(g.interface);
    return names;
}

uint32_t WaylandConnection::version(const char *interface) const
{
    for (const Global &g : m_globals) {
        if (g.interface == QLatin1String(interface))
            return g.version;
    }
    return 0;
}

void *WaylandConnection::bind(const wl_interface *interface, uint32_t maxVersion)
{
    for (const Global &g : m_globals) {
        if (g.interface == QLatin1String(interface->name))
            return wl_registry_bind(m_registry, g.name, interface, std::min(g.version, maxVersion));
    }
    return nullptr;
}

wl_seat *WaylandConnection::seat()
{
    if (!m_seat)
        m_seat = static_cast<wl_seat *>(bind(&wl_seat_interface, 1));
    return m_seat;
}

wl_shm *WaylandConnection::shm()
{
    if (!m_shm)
        m_shm = static_cast<wl_shm *>(bind(&wl_shm_interface, 1));
    return m_shm;
}

bool WaylandConnection::roundtrip()
{
    return wl_display_roundtrip(m_display) >= 0;
}

void WaylandConnection::watch()
{
    m_notifier = new QSocketNotifier(wl_display_get_fd(m_display), QSocketNotifier::Read);
    connect(m_notifier, &QSocketNotifier::activated, this, &WaylandConnection::readEvents);
    if (auto *dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            if (isAlive())
                wl_display_flush(m_display);
        });
    }
}

// Reads only what the socket holds, so a wake-up that another read already
// emptied never blocks the event loop.
void WaylandConnection::readEvents()
{
    while (wl_display_prepare_read(m_display) != 0)
        wl_display_dispatch_pending(m_display);
    if (wl_display_read_events(m_display) >= 0 && wl_display_dispatch_pending(m_display) >= 0)
        return;
    Diag::log(QStringLiteral("wayland: connection to the compositor lost"));
    m_notifier->setEnabled(false);
}
