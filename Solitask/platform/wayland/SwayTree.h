#pragma once

#include "Solitask/platform/wayland/WaylandWindowSource.h"

#include <QJsonObject>

/// Reads the layout tree that sway's IPC answers to get_tree.
namespace SwayTree {

/// The focused application window.
std::optional<WaylandWindow> focused(const QJsonObject &tree);
/// Every application window, on every workspace.
QList<WaylandWindow> windows(const QJsonObject &tree);
/// The focused output and the visible windows on every output in stacking
/// order (tiled, then floating, then full-screen), the windows of `hiddenIDs`
/// and of process `ownPid` marked hidden.
WaylandScene scene(const QJsonObject &tree, const QSet<QString> &hiddenIDs, qint32 ownPid);

} // namespace SwayTree
