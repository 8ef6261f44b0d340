#pragma once

// One fuzzing step, shared by the libFuzzer harness and the corpus replay in the unit tests.

#include <cstddef>
#include <cstdint>

namespace jet::sql {

void fuzzOneInput(const std::uint8_t* data, std::size_t size);

} // namespace jet::sql
