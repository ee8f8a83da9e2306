// The program as a test build: the VNS option runs a fixed number of cycles
// instead of 20 seconds, so a run is short and the same every time.
#include "app/console.hpp"

int main() {
    return knapsack::run_console(knapsack::VnsStop::after_cycles(30));
}
