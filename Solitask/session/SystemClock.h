#pragma once

#include "Solitask/session/Clock.h"

/// The real wall clock.
class SystemClock : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTimeUtc(); }
};
