#pragma once

#include <cstdint>
#include <span>

namespace knapsack {

// Adds `delta` units to item i, clamped to 0..limits[i], and returns the change
// actually made. Passing back the negation of a result undoes the move exactly,
// which is what every trial move of the searches relies on.
std::int32_t change_quantity(std::span<std::int32_t> solution, int i, std::int32_t delta,
                             std::span<const std::int32_t> limits);

} // namespace knapsack
