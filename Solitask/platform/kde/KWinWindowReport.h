#pragma once

#include "Solitask/platform/wayland/WaylandWindowSource.h"

#include <QByteArray>

/// One window as the script inside KWin describes it.
struct KWinWindow
{
    WaylandWindow window; // bundleID: the desktop file name, else the (lowercase) class
    QString resourceClass;
    unsigned long x11Window = 0; // the XWayland window; 0 for a native one
    QRect frame; // in workspace coordinates, title bar included
    bool opaque = true; // hides what lies beneath it
    bool active = false;
    bool shown = false; // on the current desktop, neither minimised nor hidden
    bool normal = false; // an application's window, not a panel or the desktop
};

/// Everything the script inside KWin reported at one moment.
struct KWinWindowReport
{
    QRect area; // the workspace: every output together
    QRect screen; // the output KWin calls active (by default the pointer's)
    QList<KWinWindow> stack; // lowest first

    /// Null when `json` is not a report of the script.
    static std::optional<KWinWindowReport> parse(const QByteArray &json);

    std::optional<WaylandWindow> focused() const;
    /// The applications' windows.
    QList<WaylandWindow> appWindows() const;
    /// The workspace with every shown window, those of `hiddenIDs` (by
    /// desktop file name or class, in any case) and of process `ownPid`
    /// marked hidden.
    WaylandScene scene(const QSet<QString> &hiddenIDs, qint32 ownPid) const;
};
