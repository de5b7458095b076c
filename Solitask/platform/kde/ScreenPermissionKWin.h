#pragma once

#include "Solitask/platform/ScreenPermission.h"
#include "Solitask/platform/kde/KWinWindows.h"

#include <memory>

/// Capture on KDE Plasma: granted while our script inside KWin tells where
/// every window is; without those facts frames are skipped, never taken
/// with private windows showing.
class ScreenPermissionKWin : public ScreenPermission
{
public:
    explicit ScreenPermissionKWin(std::shared_ptr<KWinWindows> windows)
        : m_windows(std::move(windows))
    {
    }

    Support support() const override { return Support::yes(); }
    bool isGranted() override { return m_windows->support().supported; }
    QString about() const override
    {
        return QStringLiteral(
            "On KDE Plasma, Solitask loads a small script into KWin that tells it which window "
            "is in front and where every window is, so that private windows are painted over "
            "before a frame is kept. KWin takes the frames for Solitask because its installed "
            "desktop entry asks for that. There is nothing to turn on.");
    }
    QString openSystemSettings() override
    {
        const Support facts = m_windows->support();
        return facts.supported ? QStringLiteral("KWin lets Solitask capture the screen.")
                               : facts.reason;
    }

private:
    std::shared_ptr<KWinWindows> m_windows;
};
