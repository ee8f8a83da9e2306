// The plain transcription as a whole program, to compare transcripts and
// trace throughput against.
//   reference_knapsack [VNS_CYCLES]
#include "reference_search.hpp"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const long long cycles = argc > 1 ? std::atoll(argv[1]) : -1;
    return knapsack::reference::run_program(stdin, stdout, cycles);
}
