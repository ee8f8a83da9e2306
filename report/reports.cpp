#include "report/reports.hpp"

#include "model/evaluation.hpp"

#include <cstdio>
#include <new>

namespace knapsack {

namespace {

constexpr std::string_view kRule = "-------------------------------------------------\n";

void print_block_body(Output& out, std::int32_t F, std::int32_t W, std::int32_t capacity) {
    out.put("Funcao objetivo: ");
    out.put_int(F);
    out.put("\nPeso da mochila: ");
    out.put_int(W);
    out.put("    Inviabilidade = ");
    out.put_int(infeasibility(W, capacity));
    out.put(" \n");
    out.put(kRule);
}

constexpr std::string_view kVnsTitle = "Melhor solucao encontrada pelo VNS em ";

void print_vns_seconds(Output& out, double time_budget) {
    // printf's own rounding of %0.f, which a hand-made conversion would not match
    // for halves and huge values; this is printed once per search.
    char text[400];
    if (std::snprintf(text, sizeof text, "%0.f", time_budget) < 0) {
        // The C library formats long numbers on the heap; nothing else fails here.
        throw std::bad_alloc();
    }
    out.put(text);
}

} // namespace

void print_solution_table(Output& out, std::span<const std::int32_t> solution,
                          std::span<const std::int32_t> weights) {
    out.put(" [s]  |  [w] \n");
    for (std::size_t i = 0; i < solution.size(); ++i) {
        out.put(" [");
        out.put_int(solution[i]);
        out.put("]  |  [");
        out.put_int(weights[i]);
        out.put("]\n");
    }
}

void print_result_block(Output& out, std::string_view title, std::int32_t F, std::int32_t W,
                        std::int32_t capacity) {
    out.put(kRule);
    out.put(title);
    print_block_body(out, F, W, capacity);
}

void print_vns_block(Output& out, double time_budget, std::int32_t F, std::int32_t W,
                     std::int32_t capacity) {
    out.put(kRule);
    out.put(kVnsTitle);
    print_vns_seconds(out, time_budget);
    out.put(" segundos:\n");
    print_block_body(out, F, W, capacity);
}

void print_vns_cycles_block(Output& out, std::int64_t cycles, std::int32_t F, std::int32_t W,
                            std::int32_t capacity) {
    out.put(kRule);
    out.put(kVnsTitle);
    out.put_int(cycles);
    out.put(" ciclos:\n");
    print_block_body(out, F, W, capacity);
}

} // namespace knapsack
