#pragma once

#include "report/output.hpp"

#include <istream>

namespace knapsack {

enum MenuChoice : int { kQuit = 0, kRandomSolution = 1, kVnd = 2, kVns = 3 };

// Shows the menu and reads choices until one in 0..3 arrives, showing the menu
// again after anything else. Reads like scanf("%d"): blanks are skipped, a
// signed decimal integer is taken and what follows it is left for the next
// read; a line that does not start with an integer is thrown away. End of
// input is read as kQuit, so the program never waits on a closed input.
MenuChoice read_menu_choice(std::istream& in, Output& out);

} // namespace knapsack
