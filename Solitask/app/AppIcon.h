#pragma once

#include <QIcon>

namespace AppIcon {

/// The application's icon from the icon theme, where the package installs
/// it; a copy built into the binary when the theme lacks it (a run from the
/// build tree, a desktop without hicolor), with a line in the log saying so.
QIcon load();

} // namespace AppIcon
