#pragma once

#include "model/instance.hpp"
#include "report/output.hpp"

#include <cstdint>
#include <span>

namespace knapsack {

// Share of the items the one-unit descent scans when the VND runs it.
inline constexpr double kScanFraction = 0.8;

// Variable neighbourhood descent: the one-unit descent, then the unit-transfer
// descent, back to the first after every improvement, on a private copy. The
// caller's solution, W and F are replaced only when the copy is strictly
// better. Prints every descent's block, its own block and the solution table.
void vnd(const Instance& instance, std::span<std::int32_t> solution, std::int32_t& W,
         std::int32_t& F, Output& out);

} // namespace knapsack
