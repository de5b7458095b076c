#pragma once

#include "Solitask/platform/Support.h"

#include <functional>

/// Whether any camera is in use somewhere on the machine.
class CameraSensor
{
public:
    virtual ~CameraSensor() = default;

    virtual Support support() const { return Support::no(QStringLiteral("no backend")); }
    /// Blocks while it looks; not for the main thread of a running application.
    virtual bool anyCameraRunning() { return false; }
    /// Calls `done` on the main thread with the answer, possibly before
    /// returning; a backend that must look around answers from a worker thread.
    virtual void query(std::function<void(bool)> done) { done(anyCameraRunning()); }
};
