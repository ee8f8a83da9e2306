#pragma once

#include "model/instance.hpp"
#include "report/output.hpp"

#include <cstdint>
#include <span>

namespace knapsack {

// Number of leading items a scan fraction covers: truncated, never negative,
// never more than the items there are.
int scan_length(int item_count, double scan_fraction);

// Best-improvement descent over "add or remove one unit" on the leading
// scan_length items. On entry F must be the objective of `solution`; gains are
// measured against it and F advances by each gain applied. W and F describe the
// returned solution, except that W is left as given when no item is scanned.
// Prints its result block on every call.
void descent_1opt(const Instance& instance, std::span<std::int32_t> solution, std::int32_t& W,
                  std::int32_t& F, Output& out, double scan_fraction);

// Best-improvement descent over "move one unit from item i to an item j > i".
// Same contract as descent_1opt, over all items; W is left as given when no
// item below the last has a unit to give.
void descent_2opt(const Instance& instance, std::span<std::int32_t> solution, std::int32_t& W,
                  std::int32_t& F, Output& out);

} // namespace knapsack
