#include "menu/interactive_menu.hpp"

#include "model/random.hpp"
#include "report/reports.hpp"
#include "search/vnd.hpp"

#include <optional>

namespace knapsack {

namespace {

// Options 2 and 3 need a current solution. The prompt's line break is still
// waiting in the input; the one character read here takes it.
void ask_for_initial_solution(std::istream& in, Output& out) {
    out.put("\n ----- Gere uma solucao inicial ------\n");
    out.flush();
    in.get();
}

} // namespace

int interactive_menu(std::istream& in, Output& out, const MenuSettings& settings) {
    std::optional<Instance> instance;
    try {
        instance = load_instance();
    } catch (const LoadError& error) {
        return refuse_instance(error, in, out);
    }
    return serve_menu(*instance, in, out, settings);
}

int refuse_instance(const LoadError& error, std::istream& in, Output& out) {
    out.put(error.what());
    if (error.failure() == LoadFailure::cannot_open) {
        out.flush();
        in.get();
    }
    return 1;
}

int serve_menu(const Instance& instance, std::istream& in, Output& out,
               const MenuSettings& settings) {
    Rng rng(kSeed); // NOLINT(cert-msc32-c,cert-msc51-cpp): the fixed seed makes every run repeat
    // None until option 1 has run; not F == 0, since a real solution may well
    // have an objective of 0.
    std::optional<Solution> current;
    for (;;) {
        const MenuChoice choice = read_menu_choice(in, out);
        if (choice == kQuit) {
            return 0;
        }
        if (choice == kRandomSolution) {
            current = random_solution(rng, instance);
            print_random_solution(out, *current);
        } else if (!current) {
            ask_for_initial_solution(in, out);
            continue;
        } else if (choice == kVnd) {
            vnd(*current, out);
        } else {
            vns(*current, out, rng, settings.vns_stop, settings.vns_observer);
        }
        if (settings.observer != nullptr) {
            settings.observer->solution_found(choice, *current);
        }
    }
}

} // namespace knapsack
