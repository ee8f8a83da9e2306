#pragma once

#include "model/solution.hpp"
#include "report/output.hpp"

namespace knapsack {

// Number of leading items a scan fraction covers: truncated, never negative,
// never more than the items there are.
int scan_length(int item_count, double scan_fraction);

// The one-unit descent: best improvement over "add or remove one unit" on the
// leading scan_length items, pass after pass until no move improves F. Prints
// its result block on every call.
void descent_1opt(Solution& solution, Output& out, double scan_fraction);

// The unit-transfer descent: best improvement over "move one unit from item i
// to an item j > i", over all items. Prints its result block on every call.
void descent_2opt(Solution& solution, Output& out);

} // namespace knapsack
