#pragma once

#include "app/output.hpp"

#include <istream>

namespace knapsack {

// The whole program: loads the instance from the working directory, then
// serves the menu until the user quits or the input ends. Returns the exit
// status: 0 after quitting, 1 when the instance cannot be loaded.
int interactive_menu(std::istream& in, Output& out);

} // namespace knapsack
