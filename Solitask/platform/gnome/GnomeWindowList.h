#pragma once

#include "Solitask/platform/wayland/WaylandWindowSource.h"

#include <QJsonObject>

/// Reads the window report of Solitask's GNOME Shell extension: the primary
/// monitor and every window, bottom to top, with its place and state.
namespace GnomeWindowList {

/// The focused application window.
std::optional<WaylandWindow> focused(const QJsonObject &report);
/// Every application window, shown or not.
QList<WaylandWindow> windows(const QJsonObject &report);
/// The windows on screen in stacking order, the windows of `hiddenIDs` and of
/// process `ownPid` marked hidden.
WaylandScene scene(const QJsonObject &report, const QSet<QString> &hiddenIDs, qint32 ownPid);

} // namespace GnomeWindowList
