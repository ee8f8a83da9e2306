#include "search/vnd.hpp"

#include "report/reports.hpp"
#include "search/descents.hpp"

#include <algorithm>

namespace knapsack {

void vnd(const Instance& instance, std::span<std::int32_t> solution, std::int32_t& W,
         std::int32_t& F, Output& out) {
    Solution copy(solution.begin(), solution.end());
    std::int32_t cw = W;
    std::int32_t cf = F;
    int k = 1;
    while (k == 1 || k == 2) {
        if (k == 1) {
            descent_1opt(instance, copy, cw, cf, out, kScanFraction);
        } else {
            descent_2opt(instance, copy, cw, cf, out);
        }
        if (F < cf) {
            std::copy(copy.begin(), copy.end(), solution.begin());
            F = cf;
            W = cw;
            k = 1;
        } else {
            ++k;
        }
    }
    print_result_block(out, kVndTitle, F, W, instance.capacity);
    out.put(kFoundHeading);
    print_solution_table(out, solution, instance.weights);
}

} // namespace knapsack
