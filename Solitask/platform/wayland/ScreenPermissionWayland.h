#pragma once

#include "Solitask/platform/ScreenPermission.h"

/// Capture on a Wayland desktop: granted when the compositor lets clients
/// copy outputs and tells where windows are; nothing to ask for.
class ScreenPermissionWayland : public ScreenPermission
{
public:
    explicit ScreenPermissionWayland(bool capturable)
        : m_capturable(capturable)
    {
    }

    Support support() const override { return Support::yes(); }
    bool isGranted() override { return m_capturable; }
    QString openSystemSettings() override
    {
        return m_capturable ? QStringLiteral("This desktop lets Solitask capture the screen.")
                            : QStringLiteral("This desktop does not let apps capture the screen "
                                             "yet; frames are skipped.");
    }

private:
    bool m_capturable;
};
