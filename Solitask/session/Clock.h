#pragma once

#include <QDateTime>

/// The present moment. Everything that reads the wall clock goes through one of
/// these so that tests can move time by hand.
class Clock
{
public:
    virtual ~Clock() = default;

    /// The current instant, in UTC, with millisecond precision.
    virtual QDateTime now() const = 0;
};
