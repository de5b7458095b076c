#include "Solitask/platform/wayland/WaylandBackends.h"

#include "Solitask/platform/gnome/GnomeShellWindows.h"
#include "Solitask/platform/gnome/IdleSensorGnome.h"
#include "Solitask/platform/gnome/ScreenCapturerGnome.h"
#include "Solitask/platform/gnome/ScreenPermissionGnome.h"
#include "Solitask/platform/kde/KdeBackends.h"
#include "Solitask/platform/linux/PresentationLockX11.h"
#include "Solitask/platform/wayland/ActiveAppSourceWayland.h"
#include "Solitask/platform/wayland/ForeignToplevels.h"
#include "Solitask/platform/wayland/IdleSensorWayland.h"
#include "Solitask/platform/wayland/PresentationLockLayerShell.h"
#include "Solitask/platform/wayland/RunningAppsSourceWayland.h"
#include "Solitask/platform/wayland/ScreenCapturerWlroots.h"
#include "Solitask/platform/wayland/ScreenPermissionWayland.h"
#include "Solitask/platform/wayland/StripOverlayLayerShell.h"
#include "Solitask/platform/wayland/SwayWindows.h"
#include "Solitask/platform/wayland/WaylandConnection.h"
#include "Solitask/platform/wayland/WindowTitleSourceWayland.h"

#include <QGuiApplication>

namespace {

std::shared_ptr<WaylandWindowSource> windowSource(const BackendChoice &choice,
    const std::shared_ptr<WaylandConnection> &connection, const SessionEnvironment &env,
    const RunningApp &own)
{
    switch (choice.privateWindows) {
    case Backend::swayIpc:
        return std::make_shared<SwayWindows>(env.swaySocket, own.pid);
    case Backend::wlrForeignToplevel:
        return ForeignToplevels::create(connection);
    case Backend::gnomeShellExtension:
        return std::make_shared<GnomeShellWindows>(own.pid);
    default:
        return nullptr;
    }
}

} // namespace

void addWaylandBackends(PlatformServices &services, const BackendChoice &choice,
    const std::shared_ptr<WaylandConnection> &connection, const SessionEnvironment &env,
    const RunningApp &own)
{
    if (!connection)
        return;
    const auto windows = windowSource(choice, connection, env, own);
    if (choice.privateWindows == Backend::kwinScript)
        addKdeBackends(services, own);
    else if (windows) {
        services.activeApp = std::make_unique<ActiveAppSourceWayland>(windows, own);
        services.windowTitles = std::make_unique<WindowTitleSourceWayland>(windows);
        services.runningApps = std::make_unique<RunningAppsSourceWayland>(windows, own);
        if (choice.frames == Backend::wlrScreencopy)
            services.capturer = ScreenCapturerWlroots::create(connection, windows);
    }
    if (const auto gnome = std::dynamic_pointer_cast<GnomeShellWindows>(windows)) {
        services.capturer = std::make_unique<ScreenCapturerGnome>(gnome);
        services.screenPermission = std::make_unique<ScreenPermissionGnome>(gnome);
    }
    if (!services.screenPermission)
        services.screenPermission
            = std::make_unique<ScreenPermissionWayland>(services.capturer != nullptr);
    if (choice.idle == Backend::mutterIdleMonitor)
        services.idle = std::make_unique<IdleSensorGnome>();
    else if (choice.idle != Backend::none)
        services.idle = IdleSensorWayland::create(connection);
    // The insisting gate above everything, keys and compositor bindings
    // included; without a layer shell our windows run on XWayland, whose
    // keyboard grab keeps the keys from the other X clients only.
    if (auto overlay = PresentationLockLayerShell::create(connection))
        services.presentationLock = std::move(overlay);
    else if (QGuiApplication::platformName() == QLatin1String("xcb"))
        services.presentationLock = std::make_unique<PresentationLockX11>();
    // The strip likewise, and the pointer over it, which XWayland loses
    // to every other client's surface.
    services.stripOverlay = StripOverlayLayerShell::create(connection);
}
