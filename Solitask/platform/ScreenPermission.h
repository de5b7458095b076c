#pragma once

#include "Solitask/platform/Support.h"

/// The right to capture the screen.
class ScreenPermission
{
public:
    virtual ~ScreenPermission() = default;

    virtual Support support() const { return Support::no(QStringLiteral("no backend")); }
    /// Whether capture is possible now, without asking the person.
    virtual bool isGranted() { return false; }
    /// Asks for the permission where the system can ask; answers isGranted().
    virtual bool request() { return isGranted(); }
    /// How this desktop lets Solitask see the screen, in the person's words,
    /// where there is more to say than that nothing needs granting; else empty.
    virtual QString about() const { return {}; }
    /// Opens the system's privacy settings where they exist; answers what the
    /// person should do instead when there is nothing to open.
    virtual QString openSystemSettings() { return support().reason; }
};
