#pragma once

#include "model/instance.hpp"

#include <cstdint>
#include <span>

namespace knapsack {

// Sum of weights[i] * limits[i]: the heaviest possible load, used as the penalty.
std::int32_t max_total_weight(std::span<const std::int32_t> weights,
                              std::span<const std::int32_t> limits);

std::int32_t total_weight(std::span<const std::int32_t> solution,
                          std::span<const std::int32_t> weights);

// Excess of W over the capacity, or 0 when the load fits.
constexpr std::int32_t infeasibility(std::int32_t W, std::int32_t capacity) {
    return W > capacity ? W - capacity : 0;
}

// The penalised objective from a profit sum: the one place the formula lives.
constexpr std::int64_t penalised_objective(std::int64_t profit, std::int32_t infeasibility,
                                           std::int32_t penalty) {
    return profit - std::int64_t{infeasibility} * penalty;
}

std::int32_t objective(std::span<const std::int32_t> solution,
                       std::span<const std::int32_t> profits, std::int32_t infeasibility,
                       std::int32_t penalty);

// W and F of a solution, as the searches keep them beside it.
struct Evaluation {
    std::int32_t weight = 0;
    std::int32_t objective = 0;
};

// The three evaluation steps in their fixed order: weight, infeasibility, objective.
Evaluation evaluate(const Instance& instance, std::span<const std::int32_t> solution);

// Running totals of a solution, from which the effect of moving a few units is
// known in O(1) instead of by summing over every item again.
struct Totals {
    std::int64_t weight = 0;
    std::int64_t profit = 0;
};

Totals totals_of(const Instance& instance, std::span<const std::int32_t> solution);

// Objective of the solution whose totals these are.
constexpr std::int64_t objective_of(const Instance& instance, Totals totals) {
    return penalised_objective(
        totals.profit, infeasibility(static_cast<std::int32_t>(totals.weight), instance.capacity),
        instance.penalty);
}

} // namespace knapsack
