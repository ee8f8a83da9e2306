#include "quality/starts.hpp"

#include "model/evaluation.hpp"
#include "report/output.hpp"
#include "search/vnd.hpp"

namespace knapsack {

Start random_start(const Instance& instance, Rng& rng) {
    Start start;
    start.solution.resize(static_cast<std::size_t>(instance.item_count));
    random_solution(rng, start.solution, instance.limits);
    const Evaluation e = evaluate(instance, start.solution);
    start.W = e.weight;
    start.F = e.objective;
    return start;
}

std::vector<Start> random_starts(const Instance& instance, std::size_t count, std::uint32_t seed) {
    Rng rng(seed);
    std::vector<Start> starts;
    starts.reserve(count);
    for (std::size_t k = 0; k < count; ++k) {
        starts.push_back(random_start(instance, rng));
    }
    return starts;
}

Start local_optimum(const Instance& instance, Start start) {
    Output sink = Output::discarding();
    vnd(instance, start.solution, start.W, start.F, sink);
    return start;
}

} // namespace knapsack
