#pragma once

#include "Solitask/platform/IdleSensor.h"

class IdleSensorFake : public IdleSensor
{
public:
    Support support() const override { return Support::yes(); }
    double idleSeconds() override { return m_seconds; }

    void setIdleSeconds(double seconds) { m_seconds = seconds; }

private:
    double m_seconds = 0;
};
