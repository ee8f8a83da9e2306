#pragma once

#include "model/instance.hpp"
#include "model/random.hpp"
#include "model/solution.hpp"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace knapsack {

// `count` random solutions, drawn as the menu's option 1 draws them, from one
// generator seeded with `seed`.
std::vector<Solution> random_starts(const Instance& instance, std::size_t count,
                                    std::uint32_t seed);

// A solution improved to a VND local optimum, with the trace discarded.
Solution local_optimum(Solution start);

} // namespace knapsack
