#pragma once

#include "report/output.hpp"
#include "search/vns.hpp"

#include <istream>

namespace knapsack {

// The whole program: loads the instance from the working directory, then
// serves the menu until the user quits or the input ends. Returns the exit
// status: 0 after quitting, 1 when the instance cannot be loaded. Tests and
// fuzzing pass a shorter VNS stop so that every option stays quick to reach;
// `vns_observer`, when given, follows every VNS run.
int interactive_menu(std::istream& in, Output& out,
                     const VnsStop& vns_stop = VnsStop::after_seconds(kVnsBudgetSeconds),
                     VnsObserver* vns_observer = nullptr);

} // namespace knapsack
