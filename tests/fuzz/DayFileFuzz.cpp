// libFuzzer target for the day-file decoder. Beyond not crashing, whatever it
// accepts must survive the round trip the store makes with it: a day that is
// read, changed and written must read back, or the next start loses it.
#include "SolitaskCore/DayLogJson.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto decoded = DayLogJson::decode(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    const DayLog *day = std::get_if<DayLog>(&decoded);
    if (!day)
        return 0;
    const auto again = DayLogJson::decode(DayLogJson::encode(*day));
    if (!std::holds_alternative<DayLog>(again))
        std::abort(); // written, but not readable back
    return 0;
}
