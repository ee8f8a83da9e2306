#pragma once

#include <cstdint>
#include <vector>

namespace knapsack {

// The problem as the menu knows it: 50 item types and a knapsack of 100.
inline constexpr int kItemCount = 50;
inline constexpr std::int32_t kCapacity = 100;

// A bounded knapsack instance. The searches accept any item count and capacity,
// so tests can use small hand-made instances.
struct Instance {
    int item_count = 0;
    std::int32_t capacity = 0;
    std::vector<std::int32_t> weights;
    std::vector<std::int32_t> profits;
    std::vector<std::int32_t> limits;
    // Cost of one unit of excess weight: the heaviest load any solution can reach,
    // so an overfull solution never pays less than it could have gained.
    std::int32_t penalty = 0;
};

// Builds an instance from its three vectors (of equal length) and computes its
// penalty. The evaluation's sums are exact only while they fit in 32 bits,
// which the loader checks (sums_fit) and hand-made instances must keep to.
Instance make_instance(std::vector<std::int32_t> weights, std::vector<std::int32_t> profits,
                       std::vector<std::int32_t> limits, std::int32_t capacity);

// A quantity for every item, in item order, each between 0 and its limit.
using Quantities = std::vector<std::int32_t>;

} // namespace knapsack
