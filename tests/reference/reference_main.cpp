// The plain transcription as a whole program, to compare transcripts and
// trace throughput against.
//   reference_knapsack [MAX_VNS_CYCLES]
#include "reference_search.hpp"

#include <cstdio>
#include <cstdlib>
#include <limits>

int main(int argc, char** argv) {
    const long long cycles = argc > 1 ? std::atoll(argv[1]) : std::numeric_limits<long long>::max();
    return knapsack::reference::run_program(stdin, stdout, cycles);
}
