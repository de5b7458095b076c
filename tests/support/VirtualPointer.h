#pragma once

// A pointer device of the test's own (wlr-virtual-pointer): the headless sway
// has none, and without one no client is handed a pointer. sway's own
// "seat seat0 cursor" commands then move and click it.

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <cstring>
#include <wayland-client.h>

class VirtualPointer
{
public:
    VirtualPointer()
    {
        m_display = wl_display_connect(nullptr);
        if (!m_display)
            return;
        wl_registry *registry = wl_display_get_registry(m_display);
        wl_registry_add_listener(registry, &registryListener, this);
        wl_display_roundtrip(m_display);
        if (m_manager)
            m_pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(m_manager, nullptr);
        wl_display_roundtrip(m_display);
        wl_registry_destroy(registry);
    }

    ~VirtualPointer()
    {
        if (m_pointer)
            zwlr_virtual_pointer_v1_destroy(m_pointer);
        if (m_manager)
            zwlr_virtual_pointer_manager_v1_destroy(m_manager);
        if (m_display)
            wl_display_disconnect(m_display);
    }

    bool isValid() const { return m_pointer != nullptr; }

private:
    static void global(
        void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t)
    {
        if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
            static_cast<VirtualPointer *>(data)->m_manager
                = static_cast<zwlr_virtual_pointer_manager_v1 *>(wl_registry_bind(
                    registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    }
    static void globalRemove(void *, wl_registry *, uint32_t) { }
    static constexpr wl_registry_listener registryListener {global, globalRemove};

    wl_display *m_display = nullptr;
    zwlr_virtual_pointer_manager_v1 *m_manager = nullptr;
    zwlr_virtual_pointer_v1 *m_pointer = nullptr;
};
