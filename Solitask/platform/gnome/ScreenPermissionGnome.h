#pragma once

#include "Solitask/platform/ScreenPermission.h"

#include <memory>

class GnomeShellWindows;

/// Capture on GNOME needs Solitask's shell extension, which tells where
/// private windows are; the screen cast itself asks for nothing. Asking
/// turns the extension on, which the shell allows for an installed one.
class ScreenPermissionGnome : public ScreenPermission
{
public:
    explicit ScreenPermissionGnome(std::shared_ptr<GnomeShellWindows> windows);

    Support support() const override;
    bool isGranted() override;
    bool request() override;
    QString openSystemSettings() override;

private:
    std::shared_ptr<GnomeShellWindows> m_windows;
};
