#pragma once

#include "model/instance.hpp"
#include "model/random.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace knapsack {

// A solution with its W and F, ready to hand to a search.
struct Start {
    Solution solution;
    std::int32_t W = 0;
    std::int32_t F = 0;
};

// A random solution drawn and evaluated as the menu's option 1 does it.
Start random_start(const Instance& instance, Rng& rng);

// `count` such starts from one generator seeded with `seed`.
std::vector<Start> random_starts(const Instance& instance, std::size_t count, std::uint32_t seed);

// A start improved to a VND local optimum, with the trace discarded.
Start local_optimum(const Instance& instance, Start start);

} // namespace knapsack
