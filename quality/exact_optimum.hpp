#pragma once

#include "model/instance.hpp"

#include <cstdint>

namespace knapsack {

// The best feasible solution of an instance and its total profit.
struct Optimum {
    std::int64_t profit = 0;
    Solution quantities;
};

// Solves the bounded knapsack exactly by dynamic programming over capacities:
// each limit is split into bundles of 1, 2, 4, ... units (and a remainder) that
// are taken whole or not at all, which covers every quantity up to the limit.
// O(capacity * sum of log(limit)) time. Items of negative profit are never taken.
Optimum exact_optimum(const Instance& instance);

} // namespace knapsack
