#include "Solitask/platform/SessionBackends.h"

#include <gtest/gtest.h>

namespace {

using B = Backend;

const QSet<QString> sway17 {QStringLiteral("zwlr_foreign_toplevel_manager_v1"),
    QStringLiteral("zwlr_screencopy_manager_v1"), QStringLiteral("org_kde_kwin_idle"),
    QStringLiteral("zwlr_layer_shell_v1")};
const QSet<QString> newerWlroots = sway17 + QSet<QString> {QStringLiteral("ext_idle_notifier_v1")};
const QSet<QString> kwin {
    QStringLiteral("org_kde_kwin_idle"), QStringLiteral("org_kde_plasma_window_management")};

struct Case
{
    const char *name;
    SessionEnvironment env;
    QSet<QString> globals;
    SessionKind kind;
    B frames, windows, idle, hotKey;
};

TEST(SessionBackendsTest, ChoosesPerCapabilityFromEnvironmentAndGlobals)
{
    const QString sock = QStringLiteral("/run/user/1000/sway-ipc.sock");
    const QString wl = QStringLiteral("wayland-1");
    const QString xw = QStringLiteral(":0");
    const QString wayland = QStringLiteral("wayland");
    const Case cases[] = {
        {"plain X11", {QStringLiteral("x11"), {}, xw, QStringLiteral("XFCE"), {}}, {},
            SessionKind::x11, B::x11, B::x11, B::x11, B::x11},
        {"X display without a session type", {{}, {}, xw, {}, {}}, {}, SessionKind::x11, B::x11,
            B::x11, B::x11, B::x11},
        {"sway with XWayland's DISPLAY", {wayland, wl, xw, QStringLiteral("sway"), sock}, sway17,
            SessionKind::wayland, B::wlrScreencopy, B::swayIpc, B::kdeIdle, B::summonCommand},
        {"sway started from a tty", {QStringLiteral("tty"), wl, xw, {}, sock}, sway17,
            SessionKind::wayland, B::wlrScreencopy, B::swayIpc, B::kdeIdle, B::summonCommand},
        {"newer wlroots prefers ext idle", {wayland, wl, xw, QStringLiteral("sway"), sock},
            newerWlroots, SessionKind::wayland, B::wlrScreencopy, B::swayIpc, B::extIdleNotify,
            B::summonCommand},
        {"wlroots without the sway IPC", {wayland, wl, xw, QStringLiteral("Hyprland"), {}}, sway17,
            SessionKind::wayland, B::wlrScreencopy, B::wlrForeignToplevel, B::kdeIdle,
            B::summonCommand},
        {"screencopy without a window list gives no frames",
            {wayland, wl, {}, QStringLiteral("labwc"), {}},
            {QStringLiteral("zwlr_screencopy_manager_v1")}, SessionKind::wayland, B::none, B::none,
            B::none, B::summonCommand},
        {"KDE Plasma: KWin's script and screenshots",
            {wayland, wl, xw, QStringLiteral("KDE"), {}, true}, kwin, SessionKind::wayland,
            B::kwinScreenShot, B::kwinScript, B::kdeIdle, B::kglobalaccel},
        {"KDE among other desktop names", {wayland, wl, xw, QStringLiteral("foo:kde"), {}, true},
            kwin, SessionKind::wayland, B::kwinScreenShot, B::kwinScript, B::kdeIdle,
            B::kglobalaccel},
        {"KDE without KWin on the bus: only idle", {wayland, wl, xw, QStringLiteral("KDE"), {}},
            kwin, SessionKind::wayland, B::none, B::none, B::kdeIdle, B::summonCommand},
        {"KWin on the bus of another desktop",
            {wayland, wl, xw, QStringLiteral("sway"), sock, true}, sway17, SessionKind::wayland,
            B::wlrScreencopy, B::swayIpc, B::kdeIdle, B::summonCommand},
        {"GNOME, also under a distribution's name", {wayland, wl, xw, QStringLiteral("ubuntu:GNOME"), {}},
            {}, SessionKind::wayland, B::mutterScreenCast, B::gnomeShellExtension,
            B::mutterIdleMonitor, B::summonCommand},
        {"Wayland session without a reachable compositor", {wayland, {}, xw, {}, {}}, {},
            SessionKind::wayland, B::none, B::none, B::none, B::summonCommand},
        {"no display at all", {QStringLiteral("tty"), {}, {}, {}, {}}, {}, SessionKind::none,
            B::none, B::none, B::none, B::none},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const BackendChoice choice = chooseBackends(c.env, c.globals);
        EXPECT_EQ(choice.kind, c.kind);
        EXPECT_EQ(choice.frames, c.frames);
        EXPECT_EQ(choice.activeApp, c.windows);
        EXPECT_EQ(choice.privateWindows, c.windows);
        EXPECT_EQ(choice.idle, c.idle);
        EXPECT_EQ(choice.hotKey, c.hotKey);
    }
}

} // namespace
