#include "Solitask/platform/wayland/ForeignToplevels.h"

#include "Solitask/platform/wayland/WaylandConnection.h"

#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <QTimer>

#include <algorithm>

namespace {

using Toplevel = ForeignToplevels::Toplevel;

Toplevel &of(void *data)
{
    return *static_cast<ForeignToplevels::Toplevel *>(data);
}

void onTitle(void *data, zwlr_foreign_toplevel_handle_v1 *, const char *title)
{
    of(data).window.title = QString::fromUtf8(title);
}

void onAppId(void *data, zwlr_foreign_toplevel_handle_v1 *, const char *id)
{
    of(data).window.app.bundleID = of(data).window.app.name = QString::fromUtf8(id);
}

void onOutput(void *, zwlr_foreign_toplevel_handle_v1 *, wl_output *) { }

bool has(wl_array *states, uint32_t state)
{
    const auto *begin = static_cast<const uint32_t *>(states->data);
    return std::find(begin, begin + states->size / sizeof(uint32_t), state)
        != begin + states->size / sizeof(uint32_t);
}

void onState(void *data, zwlr_foreign_toplevel_handle_v1 *, wl_array *states)
{
    Toplevel &t = of(data);
    const bool wasActivated = t.activated;
    t.activated = has(states, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED);
    t.minimized = has(states, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_MINIMIZED);
    if (t.activated != wasActivated)
        t.owner->changed(t, wasActivated);
}

void onDone(void *, zwlr_foreign_toplevel_handle_v1 *) { }

void onClosed(void *data, zwlr_foreign_toplevel_handle_v1 *)
{
    of(data).closed = true;
    of(data).owner->prune();
}

void onParent(void *, zwlr_foreign_toplevel_handle_v1 *, zwlr_foreign_toplevel_handle_v1 *) { }

const zwlr_foreign_toplevel_handle_v1_listener handleListener {
    onTitle, onAppId, onOutput, onOutput, onState, onDone, onClosed, onParent};

void onToplevel(
    void *data, zwlr_foreign_toplevel_manager_v1 *, zwlr_foreign_toplevel_handle_v1 *handle)
{
    static_cast<ForeignToplevels *>(data)->added(handle);
}

void onFinished(void *, zwlr_foreign_toplevel_manager_v1 *) { }

const zwlr_foreign_toplevel_manager_v1_listener managerListener {onToplevel, onFinished};

} // namespace

std::shared_ptr<ForeignToplevels> ForeignToplevels::create(
    std::shared_ptr<WaylandConnection> connection)
{
    auto *manager = static_cast<zwlr_foreign_toplevel_manager_v1 *>(
        connection->bind(&zwlr_foreign_toplevel_manager_v1_interface, 3));
    if (!manager)
        return nullptr;
    std::shared_ptr<ForeignToplevels> toplevels(new ForeignToplevels(connection, manager));
    // The first answers the list of windows, the second their titles, ids and states.
    connection->roundtrip();
    connection->roundtrip();
    return toplevels;
}

ForeignToplevels::ForeignToplevels(
    std::shared_ptr<WaylandConnection> connection, zwlr_foreign_toplevel_manager_v1 *manager)
    : m_connection(std::move(connection))
    , m_manager(manager)
{
    zwlr_foreign_toplevel_manager_v1_add_listener(m_manager, &managerListener, this);
}

ForeignToplevels::~ForeignToplevels()
{
    for (const auto &t : m_toplevels)
        zwlr_foreign_toplevel_handle_v1_destroy(t->handle);
    zwlr_foreign_toplevel_manager_v1_destroy(m_manager);
}

void ForeignToplevels::added(zwlr_foreign_toplevel_handle_v1 *handle)
{
    m_toplevels.push_back(
        std::make_unique<Toplevel>(Toplevel {this, handle, {}, false, false, false}));
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &handleListener, m_toplevels.back().get());
}

void ForeignToplevels::changed(Toplevel &toplevel, bool wasActivated)
{
    if (!wasActivated && toplevel.activated)
        Q_EMIT focusChanged();
}

// A closed handle is destroyed after its callback has returned.
void ForeignToplevels::prune()
{
    QTimer::singleShot(0, this, [this] {
        std::erase_if(m_toplevels, [](const std::unique_ptr<Toplevel> &t) {
            if (t->closed)
                zwlr_foreign_toplevel_handle_v1_destroy(t->handle);
            return t->closed;
        });
    });
}

bool ForeignToplevels::refresh()
{
    return m_connection->isAlive() && m_connection->roundtrip();
}

std::optional<WaylandWindow> ForeignToplevels::focused()
{
    if (!refresh())
        return std::nullopt;
    for (const auto &t : m_toplevels) {
        if (t->activated && !t->closed)
            return t->window;
    }
    return std::nullopt;
}

QList<WaylandWindow> ForeignToplevels::windows()
{
    QList<WaylandWindow> list;
    if (!refresh())
        return list;
    for (const auto &t : m_toplevels) {
        if (!t->closed)
            list.append(t->window);
    }
    return list;
}

std::optional<WaylandScene> ForeignToplevels::scene(const QSet<QString> &hiddenIDs)
{
    if (!refresh())
        return std::nullopt;
    WaylandScene scene;
    for (const auto &t : m_toplevels) {
        if (!t->closed && !t->minimized && hiddenIDs.contains(t->window.app.bundleID))
            scene.unplacedPrivateApp = t->window.app.bundleID;
    }
    return scene;
}
