#pragma once

#include <utility>

/// Calls an optional callback only when it has been set.
template <typename F, typename... Args> void callIfSet(const F &f, Args &&...args)
{
    if (f)
        f(std::forward<Args>(args)...);
}
