#pragma once

#include "app/output.hpp"
#include "model/instance.hpp"

#include <cstdint>
#include <span>

namespace knapsack {

// Variable neighbourhood descent: the one-unit descent, then the unit-transfer
// descent, back to the first after every improvement, on a private copy. The
// caller's solution, W and F are replaced only when the copy is strictly
// better. Prints every descent's block, its own block and the solution table.
void vnd(const Instance& instance, std::span<std::int32_t> solution, std::int32_t& W,
         std::int32_t& F, Output& out);

} // namespace knapsack
