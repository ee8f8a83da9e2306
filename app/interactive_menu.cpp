#include "app/interactive_menu.hpp"

#include "app/menu_input.hpp"
#include "model/evaluation.hpp"
#include "model/loader.hpp"
#include "model/random.hpp"
#include "report/reports.hpp"
#include "search/vnd.hpp"
#include "search/vns.hpp"

namespace knapsack {

namespace {

void report_random_solution(Output& out, const Instance& instance, const Solution& solution,
                            std::int32_t W, std::int32_t F) {
    out.put("Solucao aleatoria:\n");
    print_solution_table(out, solution, instance.weights);
    out.put("funcao objetivo = ");
    out.put_int(F, 3);
    out.put(" \npeso dos objetos = ");
    out.put_int(W, 2);
    out.put(" inviabilidade = ");
    out.put_int(infeasibility(W, instance.capacity));
    out.put(" \n");
}

// Options 2 and 3 need a current solution. The prompt's line break is still
// waiting in the input; the one character read here takes it.
void ask_for_initial_solution(std::istream& in, Output& out) {
    out.put("\n ----- Gere uma solucao inicial ------\n");
    out.flush();
    in.get();
}

} // namespace

int interactive_menu(std::istream& in, Output& out, const VnsStop& vns_stop,
                     VnsObserver* vns_observer) {
    Rng rng(kSeed);
    Solution solution(kItemCount);
    Instance instance;
    try {
        instance = load_instance();
    } catch (const LoadError& error) {
        out.put(error.what());
        if (error.failure() == LoadFailure::cannot_open) {
            // A console left open long enough to read why the program stops.
            out.flush();
            in.get();
        }
        return 1;
    }

    std::int32_t W = 0;
    std::int32_t F = 0;
    // An explicit flag, not F == 0: a real solution may well have an objective of 0.
    bool have_solution = false;
    for (;;) {
        switch (read_menu_choice(in, out)) {
        case kQuit:
            return 0;
        case kRandomSolution: {
            random_solution(rng, solution, instance.limits);
            const Evaluation e = evaluate(instance, solution);
            W = e.weight;
            F = e.objective;
            have_solution = true;
            report_random_solution(out, instance, solution, W, F);
            break;
        }
        case kVnd:
            if (have_solution) {
                vnd(instance, solution, W, F, out);
            } else {
                ask_for_initial_solution(in, out);
            }
            break;
        case kVns:
            if (have_solution) {
                vns(instance, solution, W, F, out, rng, vns_stop, vns_observer);
            } else {
                ask_for_initial_solution(in, out);
            }
            break;
        }
    }
}

} // namespace knapsack
