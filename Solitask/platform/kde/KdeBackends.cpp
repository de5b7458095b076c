#include "Solitask/platform/kde/KdeBackends.h"

#include "Solitask/platform/kde/GlobalHotKeyKGlobalAccel.h"
#include "Solitask/platform/kde/KWinWindows.h"
#include "Solitask/platform/kde/ScreenCapturerKWin.h"
#include "Solitask/platform/kde/ScreenPermissionKWin.h"
#include "Solitask/platform/kde/XWaylandNames.h"
#include "Solitask/platform/wayland/ActiveAppSourceWayland.h"
#include "Solitask/platform/wayland/RunningAppsSourceWayland.h"
#include "Solitask/platform/wayland/WindowTitleSourceWayland.h"

void addKdeBackends(PlatformServices &services, const RunningApp &own)
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    auto windows = std::make_shared<KWinWindows>(
        bus, KWinWindows::shippedScript(), own.pid, std::make_unique<XWaylandNames>(own));
    services.activeApp = std::make_unique<ActiveAppSourceWayland>(windows, own);
    services.windowTitles = std::make_unique<WindowTitleSourceWayland>(windows);
    services.runningApps = std::make_unique<RunningAppsSourceWayland>(windows, own);
    services.capturer = std::make_unique<ScreenCapturerKWin>(bus, windows);
    services.screenPermission = std::make_unique<ScreenPermissionKWin>(windows);
    services.hotKey = std::make_unique<GlobalHotKeyKGlobalAccel>(bus, own.bundleID, own.name);
}
