#pragma once

#include <QString>

namespace AppInfo {

QString name();
QString version();
/// The reverse-DNS application id: desktop entry, icon, autostart entry and
/// single-instance socket all go by it.
QString id();
/// The command a person types, and the name the package installs.
QString command();

/// Names the process for the desktop before the application object exists,
/// so the window manager and tray host can match windows to the desktop entry.
void declare();

} // namespace AppInfo
