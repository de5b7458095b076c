#include "Solitask/platform/Capabilities.h"

#include "Solitask/platform/PlatformServices.h"
#include "Solitask/platform/gnome/GnomeShellWindows.h"

namespace {

const QString otherDesktop = QStringLiteral(
    "a wlroots desktop (sway, Hyprland, river, labwc, Wayfire) or an X11 session has it");

Capability make(const char *name, bool works, Backend backend, const QString &advice)
{
    return {QString::fromLatin1(name), works, backendName(backend), works ? QString() : advice};
}

QString summonAdvice(const BackendChoice &choice)
{
    if (choice.desktop.contains(QLatin1String("sway"), Qt::CaseInsensitive))
        return QStringLiteral(
            "add this line to your sway config: bindsym Ctrl+Alt+o exec solitask --summon");
    if (choice.desktop.contains(QLatin1String("GNOME"), Qt::CaseInsensitive))
        return QStringLiteral("in GNOME's Settings, Keyboard, Keyboard Shortcuts, add a custom "
                              "shortcut: the command `solitask --summon` on Control+Alt+O");
    return QStringLiteral("bind Control+Alt+O to the command `solitask --summon` in your desktop's "
                          "keyboard settings");
}

// On KDE Plasma each backend knows why it does not work (KWin gone, its
// script silent, screenshots refused, the key taken); elsewhere the desktop
// lacks it.
QString adviceOr(Backend backend, const Support &support, const QString &general)
{
    // On GNOME windows and frames hang on our shell extension being on.
    if (backend == Backend::gnomeShellExtension || backend == Backend::mutterScreenCast)
        return GnomeShellWindows::enableAdvice();
    const bool kde = backend == Backend::kwinScript || backend == Backend::kwinScreenShot
        || backend == Backend::kglobalaccel;
    return kde && !support.reason.isEmpty() ? support.reason : general;
}

Capability hotKey(const PlatformServices &s)
{
    if (s.choice.hotKey == Backend::summonCommand)
        return {QStringLiteral("hot key"), false, backendName(Backend::summonCommand),
            summonAdvice(s.choice)};
    return make("hot key", s.hotKey->support().supported, s.choice.hotKey,
        adviceOr(s.choice.hotKey, s.hotKey->support(),
            QStringLiteral("another program may hold Control+Alt+O; the tray menu still summons")));
}

} // namespace

QString adviceFor(const QList<Capability> &list, const QString &name)
{
    for (const Capability &c : list) {
        if (c.name == name && !c.works)
            return c.advice;
    }
    return {};
}

QList<Capability> capabilities(const PlatformServices &s)
{
    const BackendChoice &c = s.choice;
    const bool wayland = c.kind == SessionKind::wayland;
    const bool frames = s.capturer->support().supported && s.screenPermission->support().supported;
    return {
        make("frames", frames, c.frames,
            adviceOr(c.frames, s.capturer->support(),
                QStringLiteral("this desktop does not let apps copy the screen yet, so frames "
                               "are skipped; ")
                    + otherDesktop)),
        make("active app", s.activeApp->support().supported, c.activeApp,
            adviceOr(c.activeApp, s.activeApp->support(),
                QStringLiteral("this desktop does not tell apps which window is in front; ")
                    + otherDesktop)),
        make("private blanking", frames && c.privateWindows != Backend::none, c.privateWindows,
            QStringLiteral("no frame is taken where private windows cannot be found")),
        make("idle", s.idle->support().supported, c.idle,
            QStringLiteral("this desktop reports no idle time, so time away counts as present")),
        {QStringLiteral("lock"), s.sessionEvents->support().supported, QStringLiteral("logind"),
            s.sessionEvents->support().supported
                ? QString()
                : QStringLiteral(
                    "no login manager on the system bus: a locked screen is not noticed")},
        hotKey(s),
        make("double tap", !wayland && s.keyEvents->support().supported,
            wayland ? Backend::none : c.hotKey,
            wayland
                ? QStringLiteral("the Alt double tap is unavailable on Wayland: use the hot key")
                : QStringLiteral("the X server offers no raw key events")),
    };
}
