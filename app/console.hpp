#pragma once

#include "search/vns.hpp"

namespace knapsack {

// The program on the console: the menu over standard input and output, with
// the VNS option stopped by `vns_stop`. Returns the exit status: 0 after
// choice 0 or at the end of the input; 1 when the instance cannot be loaded,
// when the heap runs out (after everything printed so far, "Falta memoria para
// alocar o vetor de ponteiros") or when standard output refuses the text (a
// message on standard error). While a VNS runs with its trace going elsewhere
// than the terminal, a progress line is shown on standard error.
int run_console(const VnsStop& vns_stop);

} // namespace knapsack
