#pragma once

#include "model/instance.hpp"

#include <cstdint>
#include <span>

namespace knapsack {

// The full evaluation of a solution, summed over every item: the one place the
// penalised objective is defined. A Solution sums its totals over every item
// once, when it is made (totals_of, exact in 64 bits), and then only shifts
// them; the tests hold the shifted totals to a fresh sum.

// Sum of weights[i] * limits[i]: the heaviest possible load, used as the penalty.
std::int32_t max_total_weight(std::span<const std::int32_t> weights,
                              std::span<const std::int32_t> limits);

std::int32_t total_weight(std::span<const std::int32_t> quantities,
                          std::span<const std::int32_t> weights);

// Excess of W over the capacity, or 0 when the load fits.
constexpr std::int32_t infeasibility(std::int32_t W, std::int32_t capacity) {
    return W > capacity ? W - capacity : 0;
}

// The penalised objective from a profit sum: the formula itself.
constexpr std::int64_t penalised_objective(std::int64_t profit, std::int32_t infeasibility,
                                           std::int32_t penalty) {
    return profit - std::int64_t{infeasibility} * penalty;
}

// A solution's weight and profit, exact in 64 bits: what a move shifts, so that
// its effect on the objective is known in O(1).
struct Totals {
    std::int64_t weight = 0;
    std::int64_t profit = 0;
};

// Both sums over every item.
Totals totals_of(const Instance& instance, std::span<const std::int32_t> quantities);

// The objective of a solution with these totals.
constexpr std::int64_t objective_of(const Instance& instance, Totals totals) {
    return penalised_objective(
        totals.profit, infeasibility(static_cast<std::int32_t>(totals.weight), instance.capacity),
        instance.penalty);
}

} // namespace knapsack
