#pragma once

#include "Solitask/platform/Support.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QSet>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

struct wl_display;
struct wl_registry;
struct wl_interface;
struct wl_output;
struct wl_seat;
struct wl_shm;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;
class QSocketNotifier;

/// A connection of our own to the Wayland compositor, whatever Qt itself
/// talks to (Qt may run on XWayland). It knows the globals the compositor
/// offers and binds them on request; events are read on the main thread
/// whenever the socket is readable and before the event loop sleeps.
class WaylandConnection : public QObject
{
    Q_OBJECT

public:
    /// Connects to WAYLAND_DISPLAY (or `name`); null without a compositor.
    static std::shared_ptr<WaylandConnection> open(const char *name = nullptr);
    ~WaylandConnection() override;

    struct Output
    {
        wl_output *output = nullptr;
        uint32_t id = 0; // the registry name
        QString name; // from wl_output version 4 ("HEADLESS-1"), else empty
        QPoint position; // top left in the compositor's layout
        zxdg_output_v1 *logical = nullptr; // where the compositor says the position
    };

    wl_display *display() const { return m_display; }
    bool isAlive() const;
    /// Yes while the connection holds, else why not, in the person's words.
    Support support() const;
    QSet<QString> interfaces() const;
    /// Binds the global offering `interface`, up to `maxVersion`; null when absent.
    void *bind(const wl_interface *interface, uint32_t maxVersion);
    /// The bound version of a global, 0 when not offered.
    uint32_t version(const char *interface) const;
    wl_seat *seat();
    wl_shm *shm();
    QList<Output> outputs() const;
    /// Sends what is queued and waits until the compositor has answered it all.
    bool roundtrip();

    /// Registry bookkeeping; public for the C callbacks only.
    void announce(uint32_t name, const char *interface, uint32_t version);
    void withdraw(uint32_t name);

private:
    explicit WaylandConnection(wl_display *display);
    void watch();
    void readEvents();
    void bindOutput(uint32_t name, uint32_t version);
    void locate(Output &output);

    struct Global
    {
        uint32_t name;
        QString interface;
        uint32_t version;
    };
    wl_display *m_display = nullptr;
    wl_registry *m_registry = nullptr;
    wl_seat *m_seat = nullptr;
    wl_shm *m_shm = nullptr;
    zxdg_output_manager_v1 *m_xdgOutputs = nullptr;
    QList<Global> m_globals;
    std::vector<std::unique_ptr<Output>> m_outputs; // listeners hold their address
    QSocketNotifier *m_notifier = nullptr;
};
