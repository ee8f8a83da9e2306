#pragma once

#include "report/output.hpp"

#include <cstdint>
#include <span>
#include <string_view>

namespace knapsack {

// Titles of the result blocks, one per search method.
inline constexpr std::string_view kDescent1Title =
    "Melhor solucao encontrada pelo Metodo da descida 1 Optimal:\n";
inline constexpr std::string_view kDescent2Title =
    "Melhor solucao encontrada pelo Metodo da descida 2 Optimal:\n";
inline constexpr std::string_view kVndTitle = "Melhor solucao encontrada pelo VND:\n";
inline constexpr std::string_view kFoundHeading = "Solucao Encontrada:\n";

// The header line, then one line per item: its quantity beside its weight.
void print_solution_table(Output& out, std::span<const std::int32_t> solution,
                          std::span<const std::int32_t> weights);

// The framed block with which every search method ends.
void print_result_block(Output& out, std::string_view title, std::int32_t F, std::int32_t W,
                        std::int32_t capacity);

// The VNS block: as the others, but its title names the budget the search was
// given, not the time it took.
void print_vns_block(Output& out, double time_budget, std::int32_t F, std::int32_t W,
                     std::int32_t capacity);

// The block of a VNS run that was limited to a number of cycles instead of a
// time budget (tests, benchmarks, the quality report): its title says so.
void print_vns_cycles_block(Output& out, std::int64_t cycles, std::int32_t F, std::int32_t W,
                            std::int32_t capacity);

} // namespace knapsack
