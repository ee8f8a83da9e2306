#pragma once

#include "model/instance.hpp"
#include "model/random.hpp"

#include <cstdint>
#include <vector>

namespace knapsack::bench {

// A solution with its W and F, ready to hand to a search.
struct Start {
    Solution solution;
    std::int32_t W = 0;
    std::int32_t F = 0;
};

// Random starts drawn as the menu draws them, from one generator seeded with `seed`.
std::vector<Start> random_starts(const Instance& instance, std::size_t count, std::uint32_t seed);

// A start improved to a VND local optimum, with the trace discarded.
Start local_optimum(const Instance& instance, Start start);

} // namespace knapsack::bench
