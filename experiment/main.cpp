// knapsack-experiment: how the searches behave over many runs and instances.
#include "experiment/experiment_program.hpp"

#include <cstddef>

int main(int argc, char** argv) {
    return knapsack::run_experiment_program({argv + 1, static_cast<std::size_t>(argc - 1)});
}
