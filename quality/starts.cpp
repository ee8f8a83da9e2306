#include "quality/starts.hpp"

#include "report/output.hpp"
#include "search/vnd.hpp"

namespace knapsack {

std::vector<Solution> random_starts(const Instance& instance, std::size_t count,
                                    std::uint32_t seed) {
    Rng rng(seed);
    std::vector<Solution> starts;
    starts.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        starts.push_back(random_solution(rng, instance));
    }
    return starts;
}

Solution local_optimum(Solution start) {
    Output sink = Output::discarding();
    vnd(start, sink);
    return start;
}

} // namespace knapsack
