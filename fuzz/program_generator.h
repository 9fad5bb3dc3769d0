// Programs that the language accepts, made from fuzz bytes: procedures declared directly in the
// program, and statements of every kind with bodies in begin ... end, conditions with every
// operator, and calls only of procedures visible at their place. Every such program must pass the
// check; the run target also runs them, which reaches far more of the engine than mutated text.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace nibbo::fuzz {

std::string GenerateProgram(std::span<const uint8_t> bytes);

} // namespace nibbo::fuzz
