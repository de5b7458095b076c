#pragma once

#include "Solitask/platform/Support.h"

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
};
