#pragma once

#include "model/instance.hpp"

#include <cstdint>

namespace knapsack {

// The best objective of an instance over every solution, overfull ones
// included, with a solution that reaches it; and the best profit of a
// solution that fits, which is the best objective whenever overfilling never
// pays.
struct Optimum {
    std::int64_t objective = 0;
    Quantities quantities;
    std::int64_t feasible_profit = 0;
};

// Solves the instance exactly by dynamic programming over weights. Each limit
// is split into bundles of 1, 2, 4, ... units (and a remainder), taken whole
// or not at all, which covers every quantity up to the limit. The states are
// the exact weights 0..capacity, holding the best profit of that weight, and
// one state for every heavier load: beyond the capacity the objective is
// profit - penalty * (weight - capacity), linear in the quantities, so the one
// state holds the best profit - penalty * weight and loses nothing.
// O(capacity * sum of log(limit)) time and memory. Items without a positive
// profit are never worth a unit and are left out. When nothing fits (a
// negative capacity), the best feasible profit is reported as 0.
Optimum exact_optimum(const Instance& instance);

} // namespace knapsack
