#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

/// What the environment says about the desktop session this process runs in.
struct SessionEnvironment
{
    QString sessionType; // XDG_SESSION_TYPE
    QString waylandDisplay; // WAYLAND_DISPLAY
    QString display; // DISPLAY
    QString currentDesktop; // XDG_CURRENT_DESKTOP
    QString swaySocket; // SWAYSOCK
    bool kwinOnBus = false; // org.kde.KWin answers on the session bus

    static SessionEnvironment current();
};

enum class SessionKind { x11, wayland, none };

/// Who answers for a capability.
enum class Backend {
    none,
    x11,
    wlrScreencopy, // frames
    swayIpc, // active app, titles, private windows with their rectangles
    wlrForeignToplevel, // active app and titles; private windows without geometry
    extIdleNotify,
    kdeIdle,
    kwinScript, // active app, titles, private windows: our script inside KWin reports them
    kwinScreenShot, // frames through KWin's ScreenShot2 D-Bus interface
    summonCommand, // the compositor's own key binding runs `solitask --summon`
    gnomeShellExtension, // active app, titles, private windows from our GNOME Shell extension
    mutterScreenCast, // frames through PipeWire
    mutterIdleMonitor,
    kglobalaccel, // KDE's global shortcut service
};

/// The backend of each capability for one session, and why.
struct BackendChoice
{
    SessionKind kind = SessionKind::none;
    QString why; // how the session kind was told
    QString desktop; // XDG_CURRENT_DESKTOP
    Backend frames = Backend::none;
    Backend activeApp = Backend::none;
    Backend privateWindows = Backend::none;
    Backend idle = Backend::none;
    Backend hotKey = Backend::none;

    /// One line for the diagnostic log.
    QString describe() const;
    bool operator==(const BackendChoice &) const = default;
};

/// Tells the session kind from the environment alone. A Wayland session
/// counts as one even when DISPLAY is set: that display is XWayland, whose
/// root window holds only the X clients.
SessionKind sessionKind(const SessionEnvironment &env, QString *why = nullptr);

/// Picks the backends for a session from its environment and, on Wayland,
/// the globals its compositor offers (interface names).
BackendChoice chooseBackends(const SessionEnvironment &env, const QSet<QString> &globals);

QString backendName(Backend backend);
