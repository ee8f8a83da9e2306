// The program as a test build: the VNS option runs a fixed number of cycles
// instead of 20 seconds, so a run is short and the same every time; or, given
// a number of seconds as its argument, runs for those.
#include "app/console.hpp"

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc > 1) {
        return knapsack::run_console(knapsack::VnsStop::after_seconds(std::atof(argv[1])));
    }
    return knapsack::run_console(knapsack::VnsStop::after_cycles(30));
}
