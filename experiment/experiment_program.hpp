#pragma once

#include <span>

namespace knapsack {

// knapsack-experiment, given the arguments after its name: runs the
// experiment its options describe and returns the exit status: 0 when done,
// 2 for a bad invocation (a line naming the problem, then the usage, on
// standard error, and no file written), 1 when an instance is refused (the
// loader's message) or a file cannot be written.
int run_experiment_program(std::span<const char* const> arguments);

} // namespace knapsack
