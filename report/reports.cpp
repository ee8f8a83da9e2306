#include "report/reports.hpp"

#include <array>
#include <cstdio>
#include <new>

namespace knapsack {

namespace {

constexpr std::string_view kRule = "-------------------------------------------------\n";

void print_block_body(Output& out, const Solution& solution) {
    out.put("Funcao objetivo: ");
    out.put_int(solution.objective());
    out.put("\nPeso da mochila: ");
    out.put_int(solution.weight());
    out.put("    Inviabilidade = ");
    out.put_int(solution.infeasibility());
    out.put(" \n");
    out.put(kRule);
}

constexpr std::string_view kVnsTitle = "Melhor solucao encontrada pelo VNS em ";

void print_vns_seconds(Output& out, double time_budget) {
    // printf's own rounding of %0.f, which a hand-made conversion would not match
    // for halves and huge values; this is printed once per search.
    std::array<char, 400> text{}; // DBL_MAX has 309 digits
    if (std::snprintf(text.data(), text.size(), "%0.f", time_budget) < 0) {
        // The C library formats long numbers on the heap; nothing else fails here.
        throw std::bad_alloc();
    }
    out.put(text.data());
}

} // namespace

void print_solution_table(Output& out, const Solution& solution) {
    const Quantities& quantities = solution.quantities();
    const auto& weights = solution.instance().weights;
    out.put(" [s]  |  [w] \n");
    for (std::size_t i = 0; i < quantities.size(); ++i) {
        out.put(" [");
        out.put_int(quantities[i]);
        out.put("]  |  [");
        out.put_int(weights[i]);
        out.put("]\n");
    }
}

void print_result_block(Output& out, std::string_view title, const Solution& solution) {
    out.put(kRule);
    out.put(title);
    print_block_body(out, solution);
}

void print_vns_block(Output& out, double time_budget, const Solution& solution) {
    out.put(kRule);
    out.put(kVnsTitle);
    print_vns_seconds(out, time_budget);
    out.put(" segundos:\n");
    print_block_body(out, solution);
}

void print_vns_cycles_block(Output& out, std::int64_t cycles, const Solution& solution) {
    out.put(kRule);
    out.put(kVnsTitle);
    out.put_int(cycles);
    out.put(" ciclos:\n");
    print_block_body(out, solution);
}

void print_random_solution(Output& out, const Solution& solution) {
    out.put("Solucao aleatoria:\n");
    print_solution_table(out, solution);
    out.put("funcao objetivo = ");
    out.put_int(solution.objective(), 3);
    out.put(" \npeso dos objetos = ");
    out.put_int(solution.weight(), 2);
    out.put(" inviabilidade = ");
    out.put_int(solution.infeasibility());
    out.put(" \n");
}

} // namespace knapsack
