#pragma once

#include "Solitask/platform/IdleSensor.h"

#include <memory>

class X11Connection;

/// Idle time, and whether the screen saver is on, from the MIT-SCREEN-SAVER
/// extension.
class IdleSensorX11 : public IdleSensor
{
public:
    explicit IdleSensorX11(std::shared_ptr<X11Connection> connection);

    Support support() const override;
    double idleSeconds() override;
    bool screenSaverOn();

private:
    std::shared_ptr<X11Connection> m_connection;
    bool m_extension = false;
};
