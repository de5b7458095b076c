#pragma once

#include "Solitask/platform/Support.h"

class QImage;
class QScreen;
class QWindow;

/// Keeps window-switching shortcuts away from the window manager while the
/// gate insists on an answer.
class PresentationLock
{
public:
    virtual ~PresentationLock() = default;

    virtual Support support() const { return Support::no(QStringLiteral("no backend")); }
    /// Directs the keyboard to `window`; false when that was refused.
    virtual bool engage(QWindow * /*window*/) { return false; }
    virtual void release() { }

    /// Whether the lock itself shows the gate above everything, from the
    /// pictures handed to `present`; the gate's own windows then lie beneath
    /// and get their input from it.
    virtual bool mirrors() const { return false; }
    /// The current picture of one of the gate's windows, meant to cover
    /// `screen`, for a lock that mirrors.
    virtual void present(QWindow * /*window*/, QScreen * /*screen*/, const QImage & /*picture*/) { }
};
