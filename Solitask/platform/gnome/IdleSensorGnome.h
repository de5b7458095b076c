#pragma once

#include "Solitask/platform/IdleSensor.h"

#include <optional>

/// Idle time from Mutter's idle monitor on the session bus.
class IdleSensorGnome : public IdleSensor
{
public:
    Support support() const override;
    double idleSeconds() override;

private:
    std::optional<double> ask() const;
};
