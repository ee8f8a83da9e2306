#include "reference_search.hpp"

#include <chrono>
#include <vector>

namespace knapsack::reference {

namespace {

// The instance as plain arrays, with the penalty worked out here.
struct Problem {
    int n;
    std::int32_t capacity;
    const std::int32_t* w;
    const std::int32_t* p;
    const std::int32_t* l;
    std::int32_t penalty;
};

Problem problem_of(const Instance& instance) {
    Problem problem{instance.item_count,     instance.capacity,      instance.weights.data(),
                    instance.profits.data(), instance.limits.data(), 0};
    long long heaviest = 0;
    for (int i = 0; i < problem.n; ++i) {
        heaviest += static_cast<long long>(problem.w[i]) * problem.l[i];
    }
    problem.penalty = static_cast<std::int32_t>(heaviest);
    return problem;
}

std::int32_t total_weight(const Problem& problem, const std::int32_t* s) {
    long long W = 0;
    for (int i = 0; i < problem.n; ++i) {
        W += static_cast<long long>(problem.w[i]) * s[i];
    }
    return static_cast<std::int32_t>(W);
}

std::int32_t infeasibility(std::int32_t W, std::int32_t capacity) {
    return W - capacity > 0 ? W - capacity : 0;
}

std::int32_t objective(const Problem& problem, const std::int32_t* s, std::int32_t inf) {
    long long F = 0;
    for (int i = 0; i < problem.n; ++i) {
        if (s[i] != 0) {
            F += static_cast<long long>(problem.p[i]) * s[i];
        }
    }
    return static_cast<std::int32_t>(F - static_cast<long long>(inf) * problem.penalty);
}

std::int32_t value(const Problem& problem, const std::int32_t* s, std::int32_t W) {
    return objective(problem, s, infeasibility(W, problem.capacity));
}

std::int32_t change_quantity(const Problem& problem, std::int32_t* s, int i, std::int32_t delta) {
    if (delta > 0) {
        if (static_cast<long long>(s[i]) + delta > problem.l[i]) {
            s[i] = problem.l[i];
            return 0;
        }
        s[i] += delta;
        return delta;
    }
    if (static_cast<long long>(s[i]) + delta < 0) {
        const std::int32_t removed = -s[i];
        s[i] = 0;
        return removed;
    }
    s[i] += delta;
    return delta;
}

long long random_below(Rng& rng, long long k) {
    if (k == 0) {
        return 0;
    }
    return static_cast<long long>(rng()) % k;
}

void print_block_body(std::FILE* out, std::int32_t F, std::int32_t W, std::int32_t capacity) {
    std::fprintf(out, "Funcao objetivo: %d\n", F);
    std::fprintf(out, "Peso da mochila: %d    Inviabilidade = %d \n", W,
                 infeasibility(W, capacity));
    std::fprintf(out, "-------------------------------------------------\n");
}

void print_block(std::FILE* out, const char* title, std::int32_t F, std::int32_t W,
                 std::int32_t capacity) {
    std::fprintf(out, "-------------------------------------------------\n");
    std::fprintf(out, "%s", title);
    print_block_body(out, F, W, capacity);
}

// Both searches keep their working copy only when it is strictly better.
void keep_if_better(const std::vector<std::int32_t>& copy, std::int32_t cw, std::int32_t cf,
                    std::int32_t* solution, std::int32_t& W, std::int32_t& F, int& k) {
    if (F < cf) {
        for (std::size_t i = 0; i < copy.size(); ++i) {
            solution[i] = copy[i];
        }
        F = cf;
        W = cw;
        k = 1;
    } else {
        ++k;
    }
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
    const Problem problem = problem_of(instance);
    int m = static_cast<int>(problem.n * scan_fraction);
    if (m <= 0) {
        m = 0;
    }
    bool improved = true;
    while (improved) {
        std::int32_t best_gain = 0;
        int best_item = 0;
        std::int32_t best_change = 0;
        for (int i = 0; i < m; ++i) {
            const std::int32_t g = change_quantity(problem, solution, i, +1);
            if (g > 0) {
                W = total_weight(problem, solution);
                const std::int32_t gain = value(problem, solution, W) - F;
                if (gain > best_gain) {
                    best_gain = gain;
                    best_item = i;
                    best_change = g;
                }
            }
            change_quantity(problem, solution, i, -g);
            W = total_weight(problem, solution);
        }
        for (int i = 0; i < m; ++i) {
            const std::int32_t g = change_quantity(problem, solution, i, -1);
            if (g >= 0) {
                continue;
            }
            W = total_weight(problem, solution);
            const std::int32_t gain = value(problem, solution, W) - F;
            if (gain > best_gain) {
                best_gain = gain;
                best_item = i;
                best_change = -1;
            }
            change_quantity(problem, solution, i, -g);
            W = total_weight(problem, solution);
        }
        improved = best_gain > 0;
        if (improved) {
            F += best_gain;
            change_quantity(problem, solution, best_item, best_change);
            W = total_weight(problem, solution);
        }
    }
    print_block(out, "Melhor solucao encontrada pelo Metodo da descida 1 Optimal:\n", F, W,
                problem.capacity);
}

void descent_2opt(std::FILE* out, const Instance& instance, std::int32_t* solution, std::int32_t& W,
                  std::int32_t& F) {
    const Problem problem = problem_of(instance);
    const int n = problem.n;
    bool improved = true;
    while (improved) {
        std::int32_t best_gain = -2147483647;
        int best_i = 0;
        int best_j = 0;
        for (int i = 0; i <= n - 2; ++i) {
            const std::int32_t r = change_quantity(problem, solution, i, -1);
            if (r >= 0) {
                continue;
            }
            for (int j = i + 1; j <= n - 1; ++j) {
                const std::int32_t a = change_quantity(problem, solution, j, +1);
                if (a <= 0) {
                    continue;
                }
                W = total_weight(problem, solution);
                const std::int32_t gain = value(problem, solution, W) - F;
                if (gain > best_gain) {
                    best_gain = gain;
                    best_i = i;
                    best_j = j;
                }
                change_quantity(problem, solution, j, -a);
                W = total_weight(problem, solution);
            }
            change_quantity(problem, solution, i, -r);
            W = total_weight(problem, solution);
        }
        improved = best_gain > 0;
        if (improved) {
            F += best_gain;
            change_quantity(problem, solution, best_i, -1);
            change_quantity(problem, solution, best_j, +1);
            W = total_weight(problem, solution);
        }
    }
    print_block(out, "Melhor solucao encontrada pelo Metodo da descida 2 Optimal:\n", F, W,
                problem.capacity);
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
        keep_if_better(copy, cw, cf, solution, W, F, k);
    }
    print_block(out, "Melhor solucao encontrada pelo VND:\n", F, W, instance.capacity);
    std::fprintf(out, "Solucao Encontrada:\n");
    print_solution_table(out, solution, instance.weights.data(), n);
}

void shake_single(const Instance& instance, std::int32_t* copy, std::int32_t& cw, std::int32_t& cf,
                  Rng& rng) {
    const Problem problem = problem_of(instance);
    std::int32_t d = static_cast<std::int32_t>(random_below(rng, 2));
    if (d == 0) {
        d = -1;
    }
    const int i = static_cast<int>(random_below(rng, problem.n));
    change_quantity(problem, copy, i, d);
    cw = total_weight(problem, copy);
    cf = value(problem, copy, cw);
}

void shake_pair(const Instance& instance, std::int32_t* copy, std::int32_t& cw, std::int32_t& cf,
                Rng& rng) {
    const Problem problem = problem_of(instance);
    const int a = static_cast<int>(random_below(rng, problem.n));
    int b = static_cast<int>(random_below(rng, problem.n));
    while (b == a) {
        b = static_cast<int>(random_below(rng, problem.n));
    }
    const std::int32_t r = change_quantity(problem, copy, a, -1);
    change_quantity(problem, copy, b, r);
    cw = total_weight(problem, copy);
    cf = value(problem, copy, cw);
}

void vns(std::FILE* out, const Instance& instance, std::int32_t* solution, std::int32_t& W,
         std::int32_t& F, Rng& rng, double time_budget, long long max_cycles) {
    const int n = instance.item_count;
    std::vector<std::int32_t> copy(static_cast<std::size_t>(n));
    const long long start = clock_ms();
    long long last = start;
    long long cycles = 0;
    while (max_cycles >= 0 ? cycles < max_cycles
                           : static_cast<double>(last - start) * 0.001 < time_budget) {
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
            keep_if_better(copy, cw, cf, solution, W, F, k);
        }
        last = clock_ms();
        ++cycles;
    }
    std::fprintf(out, "-------------------------------------------------\n");
    if (max_cycles >= 0) {
        std::fprintf(out, "Melhor solucao encontrada pelo VNS em %lld ciclos:\n", max_cycles);
    } else {
        std::fprintf(out, "Melhor solucao encontrada pelo VNS em %0.f segundos:\n", time_budget);
    }
    print_block_body(out, F, W, instance.capacity);
    std::fprintf(out, "Solucao Encontrada:\n");
    print_solution_table(out, solution, instance.weights.data(), n);
}

namespace {

// Reads up to 50 integers with fscanf; false when the file cannot be opened.
bool read_values(std::FILE* out, const char* path, std::vector<std::int32_t>& values) {
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) {
        std::fprintf(out, "O Arquivo %s nao pode ser aberto.\n", path);
        return false;
    }
    int value = 0;
    for (std::size_t k = 0; k < values.size() && std::fscanf(file, "%d", &value) == 1; ++k) {
        values[k] = value;
    }
    std::fclose(file);
    return true;
}

} // namespace

int run_program(std::FILE* in, std::FILE* out, long long max_cycles) {
    Rng rng(1000);
    const int n = 50;
    std::vector<std::int32_t> solution(n);
    std::vector<std::int32_t> weights(n, 0);
    std::vector<std::int32_t> profits(n, 0);
    std::vector<std::int32_t> limits(n, 0);
    if (!read_values(out, "peso50.txt", weights) || !read_values(out, "beneficio50.txt", profits) ||
        !read_values(out, "limite50.txt", limits)) {
        return 1;
    }
    Instance instance;
    instance.item_count = n;
    instance.capacity = 100;
    instance.weights = weights;
    instance.profits = profits;
    instance.limits = limits;
    const Problem problem = problem_of(instance);
    instance.penalty = problem.penalty;
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
            for (int i = 0; i < n; ++i) {
                solution[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(random_below(
                    rng, static_cast<long long>(limits[static_cast<std::size_t>(i)]) + 1));
            }
            std::fprintf(out, "Solucao aleatoria:\n");
            print_solution_table(out, solution.data(), weights.data(), n);
            W = total_weight(problem, solution.data());
            const std::int32_t inf = infeasibility(W, problem.capacity);
            F = objective(problem, solution.data(), inf);
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
