#pragma once

#include "SolitaskCore/Enums.h"

#include <QString>

#include <optional>

/// Where the status menu's items lead: the session's operations and the
/// shell's windows.
class MenuTarget
{
public:
    virtual ~MenuTarget() = default;

    virtual void declare() = 0;
    virtual void showStrip() = 0;
    virtual void done() = 0;
    virtual void switchTo(SwitchReason reason) = 0;
    /// Minutes: none for the rest of the day, negative until the next unlock.
    virtual void offDuty(std::optional<int> minutes, const QString &reason) = 0;
    virtual void backOnDuty() = 0;
    virtual void journal() = 0;
    virtual void settings() = 0;
    virtual void checkUpdates() = 0;
    virtual void quit() = 0;
};
