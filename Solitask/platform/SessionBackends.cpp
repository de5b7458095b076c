#include "Solitask/platform/SessionBackends.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFileInfo>

namespace {

bool offers(const QSet<QString> &globals, const char *interface)
{
    return globals.contains(QLatin1String(interface));
}

BackendChoice x11Choice()
{
    BackendChoice choice;
    choice.kind = SessionKind::x11;
    choice.frames = choice.activeApp = choice.privateWindows = choice.idle = choice.hotKey
        = Backend::x11;
    return choice;
}

bool mentionsKde(const QString &currentDesktop)
{
    return currentDesktop.split(QLatin1Char(':'))
        .contains(QLatin1String("KDE"), Qt::CaseInsensitive);
}

bool isKde(const SessionEnvironment &env)
{
    return env.kwinOnBus && mentionsKde(env.currentDesktop);
}

// Only a KDE session is worth asking the bus about.
bool kwinAnswers(const QString &currentDesktop)
{
    if (!mentionsKde(currentDesktop))
        return false;
    const QDBusConnectionInterface *bus = QDBusConnection::sessionBus().interface();
    return bus && bus->isServiceRegistered(QStringLiteral("org.kde.KWin")).value();
}

Backend windowsBackend(const SessionEnvironment &env, const QSet<QString> &globals)
{
    if (isKde(env))
        return Backend::kwinScript;
    if (!env.swaySocket.isEmpty())
        return Backend::swayIpc;
    if (offers(globals, "zwlr_foreign_toplevel_manager_v1"))
        return Backend::wlrForeignToplevel;
    return Backend::none;
}

Backend idleBackend(const QSet<QString> &globals)
{
    if (offers(globals, "ext_idle_notifier_v1"))
        return Backend::extIdleNotify;
    if (offers(globals, "org_kde_kwin_idle"))
        return Backend::kdeIdle;
    return Backend::none;
}

bool isGnome(const SessionEnvironment &env)
{
    return env.currentDesktop.split(QLatin1Char(':')).contains(QLatin1String("GNOME"));
}

// GNOME lets no client read windows or the screen through Wayland: our own
// shell extension tells the windows, Mutter casts the screen.
BackendChoice gnomeChoice(const QSet<QString> &globals)
{
    BackendChoice choice;
    choice.kind = SessionKind::wayland;
    choice.activeApp = choice.privateWindows = Backend::gnomeShellExtension;
    choice.frames = Backend::mutterScreenCast;
    choice.idle = idleBackend(globals);
    if (choice.idle == Backend::none)
        choice.idle = Backend::mutterIdleMonitor;
    choice.hotKey = Backend::summonCommand;
    return choice;
}

BackendChoice waylandChoice(const SessionEnvironment &env, const QSet<QString> &globals)
{
    if (isGnome(env))
        return gnomeChoice(globals);
    BackendChoice choice;
    choice.kind = SessionKind::wayland;
    choice.activeApp = choice.privateWindows = windowsBackend(env, globals);
    // A frame may only leave when something can say where private windows are.
    if (choice.privateWindows == Backend::kwinScript)
        choice.frames = Backend::kwinScreenShot;
    else if (offers(globals, "zwlr_screencopy_manager_v1")
        && choice.privateWindows != Backend::none)
        choice.frames = Backend::wlrScreencopy;
    choice.idle = idleBackend(globals);
    // Elsewhere no global-shortcut service is used: the compositor's own binding runs the command.
    choice.hotKey = isKde(env) ? Backend::kglobalaccel : Backend::summonCommand;
    return choice;
}

} // namespace

SessionEnvironment SessionEnvironment::current()
{
    // A socket left in the environment by a sway that has gone tells nothing.
    QString sway = qEnvironmentVariable("SWAYSOCK");
    if (!sway.isEmpty() && !QFileInfo::exists(sway))
        sway.clear();
    const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    return {qEnvironmentVariable("XDG_SESSION_TYPE"), qEnvironmentVariable("WAYLAND_DISPLAY"),
        qEnvironmentVariable("DISPLAY"), desktop, sway, kwinAnswers(desktop)};
}

SessionKind sessionKind(const SessionEnvironment &env, QString *why)
{
    QString reason;
    SessionKind kind = SessionKind::none;
    if (env.sessionType == QLatin1String("wayland")) {
        kind = SessionKind::wayland;
        reason = QStringLiteral("XDG_SESSION_TYPE=wayland");
    } else if (env.sessionType == QLatin1String("x11")) {
        kind = SessionKind::x11;
        reason = QStringLiteral("XDG_SESSION_TYPE=x11");
    } else if (!env.waylandDisplay.isEmpty()) {
        kind = SessionKind::wayland;
        reason = QStringLiteral("WAYLAND_DISPLAY is set");
    } else if (!env.display.isEmpty()) {
        kind = SessionKind::x11;
        reason = QStringLiteral("DISPLAY is set");
    } else {
        reason = QStringLiteral("no display");
    }
    if (why)
        *why = reason;
    return kind;
}

BackendChoice chooseBackends(const SessionEnvironment &env, const QSet<QString> &globals)
{
    QString why;
    BackendChoice choice;
    switch (sessionKind(env, &why)) {
    case SessionKind::x11:
        choice = x11Choice();
        break;
    case SessionKind::wayland:
        choice = waylandChoice(env, globals);
        break;
    case SessionKind::none:
        break;
    }
    choice.why = why;
    choice.desktop = env.currentDesktop;
    return choice;
}

QString backendName(Backend backend)
{
    switch (backend) {
    case Backend::none:
        return QStringLiteral("none");
    case Backend::x11:
        return QStringLiteral("X11");
    case Backend::wlrScreencopy:
        return QStringLiteral("wlr-screencopy");
    case Backend::swayIpc:
        return QStringLiteral("sway IPC");
    case Backend::wlrForeignToplevel:
        return QStringLiteral("wlr-foreign-toplevel");
    case Backend::extIdleNotify:
        return QStringLiteral("ext-idle-notify");
    case Backend::kdeIdle:
        return QStringLiteral("KDE idle");
    case Backend::kwinScript:
        return QStringLiteral("KWin script");
    case Backend::kwinScreenShot:
        return QStringLiteral("KWin ScreenShot2");
    case Backend::summonCommand:
        return QStringLiteral("solitask --summon");
    case Backend::gnomeShellExtension:
        return QStringLiteral("Solitask's GNOME Shell extension");
    case Backend::mutterScreenCast:
        return QStringLiteral("Mutter screen cast");
    case Backend::mutterIdleMonitor:
        return QStringLiteral("Mutter idle monitor");
    case Backend::kglobalaccel:
        return QStringLiteral("KDE global shortcuts");
    }
    return {};
}

QString BackendChoice::describe() const
{
    const char *kinds[] = {"X11", "Wayland", "no desktop"};
    return QStringLiteral("platform: %1 session (%2); frames: %3, active app: %4, private "
                          "windows: %5, idle: %6, hot key: %7")
        .arg(QLatin1String(kinds[int(kind)]), why, backendName(frames), backendName(activeApp),
            backendName(privateWindows), backendName(idle), backendName(hotKey));
}
