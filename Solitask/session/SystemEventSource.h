#pragma once

#include <functional>

/// Sleep, wake, lock and unlock, each delivered on the main thread.
struct SystemHandlers
{
    std::function<void()> willSleep;
    std::function<void()> didWake;
    std::function<void()> screenLocked;
    std::function<void()> screenUnlocked;
};

class SystemEventSource
{
public:
    virtual ~SystemEventSource() = default;

    virtual void subscribe(SystemHandlers handlers) = 0;
};
