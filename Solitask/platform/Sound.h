#pragma once

#include "Solitask/platform/Support.h"

/// The soft sound of a nudge, played without blocking.
class Sound
{
public:
    virtual ~Sound() = default;

    virtual Support support() const { return Support::no(QStringLiteral("no backend")); }
    virtual void play() { }
};
