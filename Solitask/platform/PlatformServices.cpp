#include "Solitask/platform/PlatformServices.h"

#include "Solitask/platform/SessionBackends.h"

#include "Solitask/platform/linux/ActiveAppSourceX11.h"
#include "Solitask/platform/linux/CameraSensorProc.h"
#include "Solitask/platform/linux/GlobalHotKeyX11.h"
#include "Solitask/platform/linux/IdleSensorX11.h"
#include "Solitask/platform/linux/KeyEventSourceXI2.h"
#include "Solitask/platform/linux/LoginItemXdgAutostart.h"
#include "Solitask/platform/linux/PointerWatchX11.h"
#include "Solitask/platform/linux/PresentationLockX11.h"
#include "Solitask/platform/linux/RunningAppsSourceX11.h"
#include "Solitask/platform/linux/ScreenCapturerX11.h"
#include "Solitask/platform/linux/ScreenPermissionX11.h"
#include "Solitask/platform/linux/SessionEventsDBus.h"
#include "Solitask/platform/linux/SoundX11Bell.h"
#include "Solitask/platform/linux/WindowTitleSourceX11.h"
#include "Solitask/platform/linux/X11Connection.h"
#include "Solitask/platform/wayland/WaylandBackends.h"
#include "Solitask/platform/wayland/WaylandConnection.h"
#include "SolitaskCore/Diag.h"

namespace {

// X11 backends under a Wayland compositor would see only the X clients, and
// report an empty or partial screen as if it were the whole truth.
QString whyNoX11(SessionKind kind)
{
    switch (kind) {
    case SessionKind::x11:
        return {};
    case SessionKind::wayland:
        return QStringLiteral("wayland session");
    case SessionKind::none:
        break;
    }
    return QStringLiteral("no X display");
}

SessionEventsDBus::ScreenState screenState(IdleSensor *sensor)
{
    SessionEventsDBus::ScreenState screen;
    if (auto *idle = dynamic_cast<IdleSensorX11 *>(sensor)) {
        screen.idleSeconds = [idle] { return idle->idleSeconds(); };
        screen.saverOn = [idle] { return idle->screenSaverOn(); };
    } else if (sensor) {
        screen.idleSeconds = [sensor] { return sensor->idleSeconds(); };
    }
    return screen;
}

void addX11(PlatformServices &services, const std::shared_ptr<X11Connection> &x11,
    const RunningApp &own)
{
    services.activeApp = std::make_unique<ActiveAppSourceX11>(x11, own);
    services.runningApps = std::make_unique<RunningAppsSourceX11>(x11, own);
    services.windowTitles = std::make_unique<WindowTitleSourceX11>(x11);
    services.idle = std::make_unique<IdleSensorX11>(x11);
    services.capturer = std::make_unique<ScreenCapturerX11>(x11, own);
    services.screenPermission = std::make_unique<ScreenPermissionX11>(x11);
    services.hotKey = std::make_unique<GlobalHotKeyX11>(x11);
    // Raw keys on a connection of their own: the server keeps raw events from
    // the client that holds a grab, and the hot key's grab is held on `x11`
    // while Ctrl+Alt+O is down; a modifier let go then would stay "held".
    auto keys = X11Connection::open();
    services.keyEvents = std::make_unique<KeyEventSourceXI2>(keys ? keys : x11);
    services.presentationLock = std::make_unique<PresentationLockX11>();
    services.pointerWatch = std::make_unique<PointerWatchX11>(x11);
    services.sound = std::make_unique<SoundX11Bell>(x11);
}

} // namespace

PlatformServices PlatformServices::forThisSession(const PlatformIdentity &identity)
{
    PlatformServices services;
    const SessionEnvironment env = SessionEnvironment::current();
    std::shared_ptr<WaylandConnection> wayland;
    if (sessionKind(env) == SessionKind::wayland)
        wayland = WaylandConnection::open();
    services.choice = chooseBackends(env, wayland ? wayland->interfaces() : QSet<QString>());
    const BackendChoice &choice = services.choice;
    Diag::log(choice.describe());
    QString reason = whyNoX11(choice.kind);
    std::shared_ptr<X11Connection> x11;
    if (reason.isEmpty() && !(x11 = X11Connection::open()))
        reason = QStringLiteral("cannot open the X display");
    if (x11)
        addX11(services, x11, identity.app);
    else
        Diag::log(QStringLiteral("platform: no X11 backends (%1)").arg(reason));
    if (choice.kind == SessionKind::wayland && !wayland)
        Diag::log(QStringLiteral("platform: cannot reach the Wayland compositor"));
    addWaylandBackends(services, choice, wayland, env, identity.app);
    services.sessionEvents = std::make_unique<SessionEventsDBus>(QDBusConnection::systemBus(),
        QDBusConnection::sessionBus(), screenState(services.idle.get()));
    services.camera = std::make_unique<CameraSensorProc>();
    services.loginItem = std::make_unique<LoginItemXdgAutostart>(identity.app.bundleID,
        identity.app.name, identity.executable);
    services.fillGaps();
    for (const QString &line : services.unsupported())
        Diag::log(line);
    return services;
}

void PlatformServices::fillGaps()
{
    const auto fill = [](auto &slot) {
        using Base = typename std::remove_reference_t<decltype(slot)>::element_type;
        if (!slot)
            slot = std::make_unique<Base>();
    };
    fill(activeApp);
    fill(runningApps);
    fill(windowTitles);
    fill(idle);
    fill(sessionEvents);
    fill(camera);
    fill(capturer);
    fill(screenPermission);
    fill(hotKey);
    fill(keyEvents);
    fill(presentationLock);
    fill(pointerWatch);
    fill(stripOverlay);
    fill(loginItem);
    fill(sound);
}

QStringList PlatformServices::unsupported() const
{
    const QList<std::pair<const char *, Support>> all {
        {"frontmost app", activeApp->support()},
        {"running apps", runningApps->support()},
        {"window titles", windowTitles->support()},
        {"idle time", idle->support()},
        {"sleep and screen lock", sessionEvents->support()},
        {"camera", camera->support()},
        {"screen capture", capturer->support()},
        {"screen permission", screenPermission->support()},
        {"hot key", hotKey->support()},
        {"key events", keyEvents->support()},
        {"presentation lock", presentationLock->support()},
        // Where the strip shows itself, it watches the band too.
        {"pointer watch",
            stripOverlay->mirrors() ? stripOverlay->support() : pointerWatch->support()},
        {"login item", loginItem->support()},
        {"sound", sound->support()},
    };
    QStringList lines;
    for (const auto &[name, support] : all) {
        if (!support.supported)
            lines << QStringLiteral("platform: no backend for %1 (%2)")
                         .arg(QLatin1String(name), support.reason);
    }
    return lines;
}
