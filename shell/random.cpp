#include "shell/random.h"

#include <chrono>

namespace nibbo {

std::mt19937& RandomGenerator() {
    static std::mt19937 generator;
    return generator;
}

void SeedRandom() {
    SeedRandom(std::uint32_t(std::chrono::steady_clock::now().time_since_epoch().count()));
}

void SeedRandom(std::uint32_t seed) {
    RandomGenerator().seed(seed);
}

int RandomBelow(int n) {
    if (n <= 1) return 0;
    return std::uniform_int_distribution<int>(0, n - 1)(RandomGenerator());
}

} // namespace nibbo
