// libFuzzer entry point: any text through the Jet SQL translator, and what it produces through
// SQLite's parser. Refusals (vb::Error and its SqlSyntaxError) are expected; crashes, leaks,
// hangs and undefined behaviour are not.

#include "FuzzOneInput.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    jet::sql::fuzzOneInput(data, size);
    return 0;
}
