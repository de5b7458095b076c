#pragma once

#include "Solitask/platform/wayland/WaylandWindowSource.h"

#include <memory>
#include <vector>

class WaylandConnection;
struct zwlr_foreign_toplevel_manager_v1;
struct zwlr_foreign_toplevel_handle_v1;

/// Windows as wlr-foreign-toplevel tells them: app id, title and state, but
/// not where they are. A private app with a window that is not minimised
/// therefore withholds the whole frame.
class ForeignToplevels : public WaylandWindowSource
{
    Q_OBJECT

public:
    /// Null when the compositor does not offer the protocol.
    static std::shared_ptr<ForeignToplevels> create(std::shared_ptr<WaylandConnection> connection);
    ~ForeignToplevels() override;

    std::optional<WaylandWindow> focused() override;
    QList<WaylandWindow> windows() override;
    std::optional<WaylandScene> scene(const QSet<QString> &hiddenIDs) override;

    struct Toplevel
    {
        ForeignToplevels *owner = nullptr;
        zwlr_foreign_toplevel_handle_v1 *handle = nullptr;
        WaylandWindow window;
        bool activated = false;
        bool minimized = false;
        bool closed = false;
    };
    /// Protocol bookkeeping; public for the C callbacks only.
    void added(zwlr_foreign_toplevel_handle_v1 *handle);
    void changed(Toplevel &toplevel, bool wasActivated);
    void prune();

private:
    ForeignToplevels(
        std::shared_ptr<WaylandConnection> connection, zwlr_foreign_toplevel_manager_v1 *manager);
    bool refresh();

    std::shared_ptr<WaylandConnection> m_connection;
    zwlr_foreign_toplevel_manager_v1 *m_manager = nullptr;
    std::vector<std::unique_ptr<Toplevel>> m_toplevels; // listeners hold their address
};
