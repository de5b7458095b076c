#pragma once

#include "Solitask/platform/PlatformServices.h"

/// This process as the platform should know it: the application id its
/// windows carry, and the command that starts it at login.
PlatformIdentity ownIdentity();

/// The installed command's name when PATH finds this very binary under it,
/// else this binary's absolute path, so a login item keeps working when the
/// checkout it was built in moves away and follows the package once installed.
QString launchCommand(const QString &self, const QString &onPath);
