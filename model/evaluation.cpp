#include "model/evaluation.hpp"

#include <cstddef>

namespace knapsack {

namespace {

// Every sum the 32-bit evaluation returns fits in 32 bits (the loader rejects
// instances where one would not). Summed in unsigned 32-bit arithmetic, which
// wraps instead of overflowing, such a sum comes out exact whatever the partial
// sums on the way, and a hand-made instance that breaks the rule gets a wrapped
// result rather than undefined behaviour.
std::int32_t wrapped_dot(std::span<const std::int32_t> a, std::span<const std::int32_t> b) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sum += static_cast<std::uint32_t>(a[i]) * static_cast<std::uint32_t>(b[i]);
    }
    return static_cast<std::int32_t>(sum);
}

// Exact in 64 bits, for the running totals that moves then shift.
std::int64_t dot(std::span<const std::int32_t> a, std::span<const std::int32_t> b) {
    std::int64_t sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sum += std::int64_t{a[i]} * b[i];
    }
    return sum;
}

} // namespace

std::int32_t max_total_weight(std::span<const std::int32_t> weights,
                              std::span<const std::int32_t> limits) {
    return wrapped_dot(weights, limits);
}

std::int32_t total_weight(std::span<const std::int32_t> quantities,
                          std::span<const std::int32_t> weights) {
    return wrapped_dot(quantities, weights);
}

Totals totals_of(const Instance& instance, std::span<const std::int32_t> quantities) {
    return {dot(quantities, instance.weights), dot(quantities, instance.profits)};
}

} // namespace knapsack
