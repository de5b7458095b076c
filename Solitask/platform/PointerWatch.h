#pragma once

#include "Solitask/platform/Support.h"

#include <QRect>

#include <functional>

/// Tells when the pointer comes into an area of the screen, so that a hover
/// rule can read the pointer only while it is there instead of all day.
class PointerWatch
{
public:
    virtual ~PointerWatch() = default;

    virtual Support support() const { return Support::no(QStringLiteral("not supported")); }
    /// Watches `area` (global coordinates) until `stop`: `entered` fires once
    /// when the pointer is in it, already there or coming in, and the watch ends.
    virtual void watch(const QRect &area, std::function<void()> entered)
    {
        Q_UNUSED(area);
        Q_UNUSED(entered);
    }
    virtual void stop() { }
};
