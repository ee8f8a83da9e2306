#pragma once

// A plain transcription of the searches: every trial move is evaluated by
// summing over all items, every line goes through fprintf. It is the oracle the
// fast searches are checked against, byte for byte, and the baseline the
// benchmarks measure them against.

#include "model/instance.hpp"
#include "model/random.hpp"

#include <cstdint>
#include <cstdio>

namespace knapsack::reference {

void print_solution_table(std::FILE* out, const std::int32_t* solution, const std::int32_t* weights,
                          int count);
void descent_1opt(std::FILE* out, const Instance& instance, std::int32_t* solution, std::int32_t& W,
                  std::int32_t& F, double scan_fraction);
void descent_2opt(std::FILE* out, const Instance& instance, std::int32_t* solution, std::int32_t& W,
                  std::int32_t& F);
void vnd(std::FILE* out, const Instance& instance, std::int32_t* solution, std::int32_t& W,
         std::int32_t& F);
void shake_single(const Instance& instance, std::int32_t* copy, std::int32_t& cw, std::int32_t& cf,
                  Rng& rng);
void shake_pair(const Instance& instance, std::int32_t* copy, std::int32_t& cw, std::int32_t& cf,
                Rng& rng);
// Stops after the time budget or after max_cycles cycles, whichever comes first.
void vns(std::FILE* out, const Instance& instance, std::int32_t* solution, std::int32_t& W,
         std::int32_t& F, Rng& rng, double time_budget, long long max_cycles);

// The whole program, reading choices with scanf: for well-formed input only.
// Option 3 runs for 20 seconds or max_cycles cycles, whichever comes first.
int run_program(std::FILE* in, std::FILE* out, long long max_cycles);

} // namespace knapsack::reference
