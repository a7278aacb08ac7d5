// Any datagram through the OSC decoder and the command interpretation.
#include "remote/osc_command.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TOscUnit unit;
    unit.Decode(std::span(data, size));
    if (unit.IntCount > TOscUnit::MaxArgs || unit.FloatCount > TOscUnit::MaxArgs ||
        unit.StringCount > TOscUnit::MaxArgs || unit.Address.size() > 128 || unit.TypeTag.size() > 128)
        std::abort();
    InterpretOsc(unit, 600000);
    return 0;
}
