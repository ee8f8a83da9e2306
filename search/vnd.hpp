#pragma once

#include "model/solution.hpp"
#include "report/output.hpp"

namespace knapsack {

// Share of the items the one-unit descent scans when the VND runs it.
inline constexpr double kScanFraction = 0.8;

// Variable neighbourhood descent: the one-unit descent, then the unit-transfer
// descent, back to the first after every improvement, on a private copy. The
// caller's solution is replaced only when the copy is strictly better. Prints
// every descent's block, its own block and the solution table.
void vnd(Solution& solution, Output& out);

} // namespace knapsack
