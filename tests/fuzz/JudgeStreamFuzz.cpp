// libFuzzer target for the parser of the judge's standard output, which comes
// from a program outside Solitask and may be anything.
#include "SolitaskCore/JudgeProtocol.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    (void)JudgeProtocol::parseStreamOutput(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
