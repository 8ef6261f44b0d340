// libFuzzer entry point: any bytes as rates.dat. Refusals (vb::Error naming the file and the
// record) are expected; crashes, hangs, leaks and undefined behaviour are not.

#include "FuzzOneInput.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    updater::fuzzRatesFile(data, size);
    return 0;
}
