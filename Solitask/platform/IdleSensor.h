#pragma once

#include "Solitask/platform/Support.h"

/// Seconds since the last input event of any kind.
class IdleSensor
{
public:
    virtual ~IdleSensor() = default;

    virtual Support support() const { return Support::no(QStringLiteral("no backend")); }
    /// Without a backend the person always counts as present.
    virtual double idleSeconds() { return 0; }
};
