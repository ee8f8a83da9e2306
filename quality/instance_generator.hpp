#pragma once

#include "model/instance.hpp"

#include <cstdint>

namespace knapsack {

// The seed the shipped instance in data/ was generated with.
inline constexpr std::uint32_t kShippedInstanceSeed = 2026;

// Ranges of a generated instance.
struct GeneratorSettings {
    int item_count = kItemCount;
    std::int32_t capacity = kCapacity;
    std::int32_t max_weight = 20;
    std::int32_t max_profit = 50;
    std::int32_t max_limit = 5;
};

// A random instance, the same for a given seed on every platform: weights in
// 1..max_weight, limits in 0..max_limit, and profits that follow the weights
// loosely (about two per unit of weight, give or take), clamped to
// 1..max_profit, so that no item is an obvious choice by its ratio alone.
Instance generate_instance(std::uint32_t seed, const GeneratorSettings& settings = {});

} // namespace knapsack
