// The one pseudo-random number generator of the program, seeded from the clock at start-up. The
// info window's show draws its turns from it; tests seed it to repeat a show.
#pragma once

#include <cstdint>
#include <random>

namespace nibbo {

std::mt19937& RandomGenerator();
void SeedRandom();                   // from the clock
void SeedRandom(std::uint32_t seed); // fixed, for tests
// A whole number drawn uniformly from 0..n-1.
int RandomBelow(int n);

} // namespace nibbo
