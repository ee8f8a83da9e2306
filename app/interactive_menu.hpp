#pragma once

#include "app/output.hpp"

#include <istream>

namespace knapsack {

// Seconds the menu's VNS option runs for.
inline constexpr double kVnsBudgetSeconds = 20.0;

// The whole program: loads the instance from the working directory, then
// serves the menu until the user quits or the input ends. Returns the exit
// status: 0 after quitting, 1 when the instance cannot be loaded. Fuzzing
// passes a shorter VNS budget so that every option stays quick to reach.
int interactive_menu(std::istream& in, Output& out, double vns_budget = kVnsBudgetSeconds);

} // namespace knapsack
