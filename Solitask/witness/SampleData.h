#pragma once

#include <QDateTime>

#include <cstdint>

class Store;

/// Fills a store with a made-up day (two solitasks, three judged hours, a
/// quiet hour, an off-duty stretch) and seven weeks of weekday history, so the
/// journal has something to show in screenshots and demos.
namespace SampleData {

void seed(Store &store, const QDateTime &now);

/// The history's pseudo-random draws: a 64-bit linear congruential generator
/// starting at 42, each draw in [0, 1) with three decimals.
class Generator
{
public:
    double next();

private:
    std::uint64_t m_state = 42;
};

} // namespace SampleData
