#include "model/evaluation.hpp"

#include <cstddef>

namespace knapsack {

namespace {

std::int64_t dot(std::span<const std::int32_t> a, std::span<const std::int32_t> b) {
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sum += std::int64_t{a[i]} * b[i];
    }
    return sum;
}

} // namespace

Instance make_instance(std::vector<std::int32_t> weights, std::vector<std::int32_t> profits,
                       std::vector<std::int32_t> limits, std::int32_t capacity) {
    Instance instance;
    instance.item_count = static_cast<int>(weights.size());
    instance.capacity = capacity;
    instance.weights = std::move(weights);
    instance.profits = std::move(profits);
    instance.limits = std::move(limits);
    instance.penalty = max_total_weight(instance.weights, instance.limits);
    return instance;
}

// The loader guarantees that every sum below fits in 32 bits; the 64-bit
// accumulators only keep intermediate products of hand-made instances exact.
std::int32_t max_total_weight(std::span<const std::int32_t> weights,
                              std::span<const std::int32_t> limits) {
    return static_cast<std::int32_t>(dot(weights, limits));
}

std::int32_t total_weight(std::span<const std::int32_t> solution,
                          std::span<const std::int32_t> weights) {
    return static_cast<std::int32_t>(dot(solution, weights));
}

std::int32_t objective(std::span<const std::int32_t> solution,
                       std::span<const std::int32_t> profits, std::int32_t infeasibility,
                       std::int32_t penalty) {
    return static_cast<std::int32_t>(
        penalised_objective(dot(solution, profits), infeasibility, penalty));
}

Evaluation evaluate(const Instance& instance, std::span<const std::int32_t> solution) {
    const std::int32_t W = total_weight(solution, instance.weights);
    const std::int32_t inf = infeasibility(W, instance.capacity);
    return {W, objective(solution, instance.profits, inf, instance.penalty)};
}

Totals totals_of(const Instance& instance, std::span<const std::int32_t> solution) {
    return {dot(solution, instance.weights), dot(solution, instance.profits)};
}

} // namespace knapsack
