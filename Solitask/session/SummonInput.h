#pragma once

#include <functional>

/// A global way to call the session forward (hot key, double tap).
class SummonInput
{
public:
    virtual ~SummonInput() = default;

    virtual void setHandler(std::function<void()> handler) = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
};
