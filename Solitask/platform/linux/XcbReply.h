#pragma once

#include <cstdlib>
#include <memory>
#include <type_traits>

#include <xcb/xcb.h>

/// Requests sent with xcb are answered together: a batch of them costs one
/// round trip instead of one each. Every cookie must be read (or discarded),
/// else its reply stays queued in xcb.
struct XcbFree
{
    void operator()(void *pointer) const { std::free(pointer); }
};

template<typename T>
using XcbReply = std::unique_ptr<T, XcbFree>;

/// The reply to `cookie`, null when the server answered with an error or the
/// connection is gone; callers only need to know that there is no answer.
template<typename Fetch, typename Cookie>
auto xcbReply(Fetch fetch, xcb_connection_t *connection, Cookie cookie)
{
    xcb_generic_error_t *error = nullptr;
    auto *reply = fetch(connection, cookie, &error);
    std::free(error);
    return XcbReply<std::remove_pointer_t<decltype(reply)>>(reply);
}
