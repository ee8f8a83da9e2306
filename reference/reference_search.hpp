#pragma once

// A plain transcription of the program: every trial move is made, evaluated by
// summing over all items and undone, every line goes through fprintf, and all
// arithmetic is its own, so that a fault in the model's evaluation, moves or
// draws cannot hide by appearing on both sides of a comparison. It is the
// oracle the fast searches are checked against, byte for byte, and the
// baseline the benchmarks measure them against. It borrows only the
// instance's fields and the generator's type from the program.

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
// Runs for time_budget seconds or, when max_cycles is not negative, for that
// many cycles instead; the final title names whichever it was.
void vns(std::FILE* out, const Instance& instance, std::int32_t* solution, std::int32_t& W,
         std::int32_t& F, Rng& rng, double time_budget, long long max_cycles);

// The whole program, reading the instance files and the choices with scanf:
// for well-formed input only. Option 3 runs for 20 seconds or, when
// max_cycles is not negative, for that many cycles.
int run_program(std::FILE* in, std::FILE* out, long long max_cycles);

} // namespace knapsack::reference
