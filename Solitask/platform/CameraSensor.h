#pragma once

#include "Solitask/platform/Support.h"

/// Whether any camera is in use somewhere on the machine.
class CameraSensor
{
public:
    virtual ~CameraSensor() = default;

    virtual Support support() const { return Support::no(QStringLiteral("no backend")); }
    virtual bool anyCameraRunning() { return false; }
};
