#pragma once

#include <cstdint>

/// Modifier keys held down, as bits of one word. The Alt key plays Option.
namespace ModifierFlags {

constexpr std::uint32_t shift = 1u << 17;
constexpr std::uint32_t control = 1u << 18;
constexpr std::uint32_t option = 1u << 19;
constexpr std::uint32_t command = 1u << 20;
constexpr std::uint32_t function = 1u << 23;

/// The modifiers besides Option that spoil a tap.
constexpr std::uint32_t others = shift | control | command | function;

} // namespace ModifierFlags
