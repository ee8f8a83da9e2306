#include "menu/interactive_menu.hpp"

#include "menu/menu_input.hpp"
#include "model/loader.hpp"
#include "model/random.hpp"
#include "report/reports.hpp"
#include "search/vnd.hpp"
#include "search/vns.hpp"

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

int interactive_menu(std::istream& in, Output& out, const VnsStop& vns_stop,
                     VnsObserver* vns_observer) {
    Rng rng(kSeed); // NOLINT(cert-msc32-c,cert-msc51-cpp): the fixed seed makes every run repeat
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

    // None until option 1 has run; not F == 0, since a real solution may well
    // have an objective of 0.
    std::optional<Solution> current;
    for (;;) {
        switch (read_menu_choice(in, out)) {
        case kQuit:
            return 0;
        case kRandomSolution:
            current = random_solution(rng, instance);
            print_random_solution(out, *current);
            break;
        case kVnd:
            if (current) {
                vnd(*current, out);
            } else {
                ask_for_initial_solution(in, out);
            }
            break;
        case kVns:
            if (current) {
                vns(*current, out, rng, vns_stop, vns_observer);
            } else {
                ask_for_initial_solution(in, out);
            }
            break;
        }
    }
}

} // namespace knapsack
