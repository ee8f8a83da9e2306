#pragma once

#include "model/solution.hpp"
#include "report/output.hpp"

#include <cstdint>
#include <string_view>

namespace knapsack {

// Titles of the result blocks, one per search method.
inline constexpr std::string_view kDescent1Title =
    "Melhor solucao encontrada pelo Metodo da descida 1 Optimal:\n";
inline constexpr std::string_view kDescent2Title =
    "Melhor solucao encontrada pelo Metodo da descida 2 Optimal:\n";
inline constexpr std::string_view kVndTitle = "Melhor solucao encontrada pelo VND:\n";
inline constexpr std::string_view kFoundHeading = "Solucao Encontrada:\n";

// The last words of a run that the heap could not serve (no line break after them).
inline constexpr std::string_view kOutOfMemoryMessage =
    "Falta memoria para alocar o vetor de ponteiros";

// The header line, then one line per item: its quantity beside its weight.
void print_solution_table(Output& out, const Solution& solution);

// The framed block with which every search method ends: its title, then the
// solution's F, W and infeasibility.
void print_result_block(Output& out, std::string_view title, const Solution& solution);

// The VNS block: as the others, but its title names the budget the search was
// given, not the time it took.
void print_vns_block(Output& out, double time_budget, const Solution& solution);

// The block of a VNS run that was limited to a number of cycles instead of a
// time budget (tests, benchmarks, the quality report): its title says so.
void print_vns_cycles_block(Output& out, std::int64_t cycles, const Solution& solution);

// What the menu's option 1 shows of the random solution it drew: the table,
// then its objective, weight and infeasibility.
void print_random_solution(Output& out, const Solution& solution);

} // namespace knapsack
