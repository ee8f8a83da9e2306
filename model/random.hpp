#pragma once

#include "model/instance.hpp"
#include "model/solution.hpp"

#include <cstdint>
#include <random>

namespace knapsack {

// The program's one source of randomness. Every draw comes from a single
// generator seeded once, so a run is the same on every platform and compiler.
using Rng = std::mt19937;
inline constexpr std::uint32_t kSeed = 1000;

// A value in 0..k-1 from the next 32-bit output, reduced modulo k. For k <= 0
// the result is 0 and nothing is drawn, so the sequence of later draws is kept.
std::int64_t random_below(Rng& rng, std::int64_t k);

// A solution giving every item, in order, the next draw modulo limit + 1 as
// its quantity: exactly one draw per item, even for an item whose limit is 0.
Solution random_solution(Rng& rng, const Instance& instance);

} // namespace knapsack
