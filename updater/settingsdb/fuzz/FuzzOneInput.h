#pragma once

// One fuzzing step of the rates.dat reader, shared by the libFuzzer harness and the corpus
// replay in the unit tests.

#include <cstddef>
#include <cstdint>

namespace updater {

void fuzzRatesFile(const std::uint8_t* data, std::size_t size);

} // namespace updater
