#include "bench_support.hpp"

#include "app/output.hpp"
#include "model/evaluation.hpp"
#include "search/vnd.hpp"

namespace knapsack::bench {

std::vector<Start> random_starts(const Instance& instance, std::size_t count, std::uint32_t seed) {
    Rng rng(seed);
    std::vector<Start> starts(count);
    for (Start& s : starts) {
        s.solution.resize(static_cast<std::size_t>(instance.item_count));
        random_solution(rng, s.solution, instance.limits);
        const Evaluation e = evaluate(instance, s.solution);
        s.W = e.weight;
        s.F = e.objective;
    }
    return starts;
}

Start local_optimum(const Instance& instance, Start start) {
    const auto sink = Output::discarding();
    vnd(instance, start.solution, start.W, start.F, *sink);
    return start;
}

} // namespace knapsack::bench
