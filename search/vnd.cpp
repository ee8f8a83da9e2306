#include "search/vnd.hpp"

#include "report/reports.hpp"
#include "search/descents.hpp"

namespace knapsack {

void vnd(Solution& solution, Output& out) {
    Solution copy = solution;
    int k = 1;
    while (k == 1 || k == 2) {
        if (k == 1) {
            descent_1opt(copy, out, kScanFraction);
        } else {
            descent_2opt(copy, out);
        }
        if (copy.objective() > solution.objective()) {
            solution = copy;
            k = 1;
        } else {
            ++k;
        }
    }
    print_result_block(out, kVndTitle, solution);
    out.put(kFoundHeading);
    print_solution_table(out, solution);
}

} // namespace knapsack
