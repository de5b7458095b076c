#pragma once

#include "Solitask/platform/ScreenPermission.h"
#include "Solitask/platform/gnome/GnomeShellWindows.h"

#include <memory>

/// Capture on GNOME needs Solitask's shell extension, which tells where
/// private windows are; the screen cast itself asks for nothing.
class ScreenPermissionGnome : public ScreenPermission
{
public:
    explicit ScreenPermissionGnome(std::shared_ptr<GnomeShellWindows> windows)
        : m_windows(std::move(windows))
    {
    }

    Support support() const override { return Support::yes(); }
    bool isGranted() override { return m_windows->support().supported; }
    QString openSystemSettings() override
    {
        return isGranted() ? QStringLiteral("Solitask's GNOME Shell extension is on.")
                           : GnomeShellWindows::enableAdvice();
    }

private:
    std::shared_ptr<GnomeShellWindows> m_windows;
};
