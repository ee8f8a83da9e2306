#include "reference_search.hpp"

#include "model/evaluation.hpp"
#include "model/loader.hpp"
#include "model/moves.hpp"

#include <chrono>
#include <cstdlib>
#include <limits>
#include <vector>

namespace knapsack::reference {

namespace {

std::span<std::int32_t> all(const Instance& instance, std::int32_t* solution) {
    return {solution, static_cast<std::size_t>(instance.item_count)};
}

std::int32_t weigh(const Instance& instance, std::int32_t* solution) {
    return total_weight(all(instance, solution), instance.weights);
}

std::int32_t value(const Instance& instance, std::int32_t* solution, std::int32_t W) {
    return objective(all(instance, solution), instance.profits, infeasibility(W, instance.capacity),
                     instance.penalty);
}

std::int32_t change(const Instance& instance, std::int32_t* solution, int i, std::int32_t delta) {
    return change_quantity(all(instance, solution), i, delta, instance.limits);
}

void print_block(std::FILE* out, const char* title, std::int32_t F, std::int32_t W,
                 std::int32_t capacity) {
    std::fprintf(out, "-------------------------------------------------\n");
    std::fprintf(out, "%s", title);
    std::fprintf(out, "Funcao objetivo: %d\n", F);
    std::fprintf(out, "Peso da mochila: %d    Inviabilidade = %d \n", W,
                 W - capacity > 0 ? W - capacity : 0);
    std::fprintf(out, "-------------------------------------------------\n");
}

long long clock_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

void print_solution_table(std::FILE* out, const std::int32_t* solution, const std::int32_t* weights,
                          int count) {
    std::fprintf(out, " [s]  |  [w] \n");
    for (int i = 0; i < count; ++i) {
        std::fprintf(out, " [%d]  |  [%d]\n", solution[i], weights[i]);
    }
}

void descent_1opt(std::FILE* out, const Instance& instance, std::int32_t* solution, std::int32_t& W,
                  std::int32_t& F, double scan_fraction) {
    int m = static_cast<int>(instance.item_count * scan_fraction);
    if (m <= 0) {
        m = 0;
    }
    bool improved = true;
    while (improved) {
        std::int32_t best_gain = 0;
        int best_item = 0;
        std::int32_t best_change = 0;
        for (int i = 0; i < m; ++i) {
            const std::int32_t g = change(instance, solution, i, +1);
            if (g > 0) {
                W = weigh(instance, solution);
                const std::int32_t gain = value(instance, solution, W) - F;
                if (gain > best_gain) {
                    best_gain = gain;
                    best_item = i;
                    best_change = g;
                }
            }
            change(instance, solution, i, -g);
            W = weigh(instance, solution);
        }
        for (int i = 0; i < m; ++i) {
            const std::int32_t g = change(instance, solution, i, -1);
            if (g >= 0) {
                continue;
            }
            W = weigh(instance, solution);
            const std::int32_t gain = value(instance, solution, W) - F;
            if (gain > best_gain) {
                best_gain = gain;
                best_item = i;
                best_change = -1;
            }
            change(instance, solution, i, -g);
            W = weigh(instance, solution);
        }
        improved = best_gain > 0;
        if (improved) {
            F += best_gain;
            change(instance, solution, best_item, best_change);
            W = weigh(instance, solution);
        }
    }
    print_block(out, "Melhor solucao encontrada pelo Metodo da descida 1 Optimal:\n", F, W,
                instance.capacity);
}

void descent_2opt(std::FILE* out, const Instance& instance, std::int32_t* solution, std::int32_t& W,
                  std::int32_t& F) {
    const int n = instance.item_count;
    bool improved = true;
    while (improved) {
        std::int32_t best_gain = -2147483647;
        int best_i = 0;
        int best_j = 0;
        for (int i = 0; i <= n - 2; ++i) {
            const std::int32_t r = change(instance, solution, i, -1);
            if (r >= 0) {
                continue;
            }
            for (int j = i + 1; j <= n - 1; ++j) {
                const std::int32_t a = change(instance, solution, j, +1);
                if (a <= 0) {
                    continue;
                }
                W = weigh(instance, solution);
                const std::int32_t gain = value(instance, solution, W) - F;
                if (gain > best_gain) {
                    best_gain = gain;
                    best_i = i;
                    best_j = j;
                }
                change(instance, solution, j, -a);
                W = weigh(instance, solution);
            }
            change(instance, solution, i, -r);
            W = weigh(instance, solution);
        }
        improved = best_gain > 0;
        if (improved) {
            F += best_gain;
            change(instance, solution, best_i, -1);
            change(instance, solution, best_j, +1);
            W = weigh(instance, solution);
        }
    }
    print_block(out, "Melhor solucao encontrada pelo Metodo da descida 2 Optimal:\n", F, W,
                instance.capacity);
}

void vnd(std::FILE* out, const Instance& instance, std::int32_t* solution, std::int32_t& W,
         std::int32_t& F) {
    const int n = instance.item_count;
    std::vector<std::int32_t> copy(solution, solution + n);
    std::int32_t cw = W;
    std::int32_t cf = F;
    int k = 1;
    while (k == 1 || k == 2) {
        if (k == 1) {
            descent_1opt(out, instance, copy.data(), cw, cf, 0.8);
        } else {
            descent_2opt(out, instance, copy.data(), cw, cf);
        }
        if (F < cf) {
            for (int i = 0; i < n; ++i) {
                solution[i] = copy[static_cast<std::size_t>(i)];
            }
            F = cf;
            W = cw;
            k = 1;
        } else {
            ++k;
        }
    }
    print_block(out, "Melhor solucao encontrada pelo VND:\n", F, W, instance.capacity);
    std::fprintf(out, "Solucao Encontrada:\n");
    print_solution_table(out, solution, instance.weights.data(), n);
}

void shake_single(const Instance& instance, std::int32_t* copy, std::int32_t& cw, std::int32_t& cf,
                  Rng& rng) {
    std::int32_t d = static_cast<std::int32_t>(random_below(rng, 2));
    if (d == 0) {
        d = -1;
    }
    const int i = static_cast<int>(random_below(rng, instance.item_count));
    change(instance, copy, i, d);
    cw = weigh(instance, copy);
    cf = value(instance, copy, cw);
}

void shake_pair(const Instance& instance, std::int32_t* copy, std::int32_t& cw, std::int32_t& cf,
                Rng& rng) {
    const int a = static_cast<int>(random_below(rng, instance.item_count));
    int b = static_cast<int>(random_below(rng, instance.item_count));
    while (b == a) {
        b = static_cast<int>(random_below(rng, instance.item_count));
    }
    const std::int32_t r = change(instance, copy, a, -1);
    change(instance, copy, b, r);
    cw = weigh(instance, copy);
    cf = value(instance, copy, cw);
}

void vns(std::FILE* out, const Instance& instance, std::int32_t* solution, std::int32_t& W,
         std::int32_t& F, Rng& rng, double time_budget, long long max_cycles) {
    const int n = instance.item_count;
    std::vector<std::int32_t> copy(static_cast<std::size_t>(n));
    const long long start = clock_ms();
    long long last = start;
    long long cycles = 0;
    while (static_cast<double>(last - start) * 0.001 < time_budget && cycles < max_cycles) {
        int k = 1;
        while (k == 1 || k == 2) {
            for (int i = 0; i < n; ++i) {
                copy[static_cast<std::size_t>(i)] = solution[i];
            }
            std::int32_t cw = W;
            std::int32_t cf = F;
            if (k == 1) {
                shake_single(instance, copy.data(), cw, cf, rng);
            } else {
                shake_pair(instance, copy.data(), cw, cf, rng);
            }
            vnd(out, instance, copy.data(), cw, cf);
            if (F < cf) {
                for (int i = 0; i < n; ++i) {
                    solution[i] = copy[static_cast<std::size_t>(i)];
                }
                F = cf;
                W = cw;
                k = 1;
            } else {
                ++k;
            }
        }
        last = clock_ms();
        ++cycles;
    }
    std::fprintf(out, "-------------------------------------------------\n");
    std::fprintf(out, "Melhor solucao encontrada pelo VNS em %0.f segundos:\n", time_budget);
    std::fprintf(out, "Funcao objetivo: %d\n", F);
    std::fprintf(out, "Peso da mochila: %d    Inviabilidade = %d \n", W,
                 W - instance.capacity > 0 ? W - instance.capacity : 0);
    std::fprintf(out, "-------------------------------------------------\n");
    std::fprintf(out, "Solucao Encontrada:\n");
    print_solution_table(out, solution, instance.weights.data(), n);
}

int run_program(std::FILE* in, std::FILE* out, long long max_cycles) {
    Rng rng(kSeed);
    std::vector<std::int32_t> solution(kItemCount);
    Instance instance;
    try {
        instance = load_instance();
    } catch (const LoadError& error) {
        std::fprintf(out, "%s", error.what());
        return 1;
    }
    std::int32_t W = 0;
    std::int32_t F = 0;
    bool have_solution = false;
    for (;;) {
        int choice = 0;
        do {
            std::fprintf(out, "\n************************************************* \n");
            std::fprintf(out, "         1. Gerar solucao inicial Aleatoria \n");
            std::fprintf(out, "         2. VND \n");
            std::fprintf(out, "         3. VNS \n");
            std::fprintf(out, "         0. Sair \n");
            std::fprintf(out, "         Escolha: ");
            if (std::fscanf(in, "%d", &choice) != 1) {
                return 0;
            }
        } while (choice < 0 || choice > 3);
        if (choice == 0) {
            return 0;
        }
        if (choice == 1) {
            random_solution(rng, solution, instance.limits);
            std::fprintf(out, "Solucao aleatoria:\n");
            print_solution_table(out, solution.data(), instance.weights.data(), kItemCount);
            W = weigh(instance, solution.data());
            const std::int32_t inf = infeasibility(W, instance.capacity);
            F = objective(solution, instance.profits, inf, instance.penalty);
            std::fprintf(out, "funcao objetivo = %3d \n", F);
            std::fprintf(out, "peso dos objetos = %2d inviabilidade = %d \n", W, inf);
            have_solution = true;
        } else if (!have_solution) {
            std::fprintf(out, "\n ----- Gere uma solucao inicial ------\n");
            std::fgetc(in);
        } else if (choice == 2) {
            vnd(out, instance, solution.data(), W, F);
        } else {
            vns(out, instance, solution.data(), W, F, rng, 20.0, max_cycles);
        }
    }
}

} // namespace knapsack::reference
