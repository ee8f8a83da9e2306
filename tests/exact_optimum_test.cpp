#include "model/evaluation.hpp"
#include "model/random.hpp"
#include "quality/exact_optimum.hpp"
#include "quality/instance_generator.hpp"
#include "search/vns.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

namespace knapsack {
namespace {

// Best feasible profit by trying every solution.
std::int64_t brute_force(const Instance& inst) {
    Solution s(static_cast<std::size_t>(inst.item_count), 0);
    std::int64_t best = 0;
    for (;;) {
        const Totals t = totals_of(inst, s);
        if (t.weight <= inst.capacity) {
            best = std::max(best, t.profit);
        }
        std::size_t i = 0;
        while (i < s.size() && s[i] == inst.limits[i]) {
            s[i++] = 0;
        }
        if (i == s.size()) {
            return best;
        }
        ++s[i];
    }
}

TEST(ExactOptimum, EqualsBruteForceOnSmallInstances) {
    for (std::uint32_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        Rng rng(seed);
        const int n = 1 + static_cast<int>(random_below(rng, 6));
        std::vector<std::int32_t> w, p, l;
        for (int i = 0; i < n; ++i) {
            w.push_back(static_cast<std::int32_t>(random_below(rng, 9)));
            p.push_back(static_cast<std::int32_t>(random_below(rng, 30)) - 5);
            l.push_back(static_cast<std::int32_t>(random_below(rng, 7)));
        }
        const Instance inst =
            make_instance(w, p, l, static_cast<std::int32_t>(random_below(rng, 25)));
        const Optimum opt = exact_optimum(inst);
        EXPECT_EQ(opt.profit, brute_force(inst));
        // The reported solution is feasible, within limits, and worth what is claimed.
        const Totals t = totals_of(inst, opt.quantities);
        EXPECT_LE(t.weight, inst.capacity);
        EXPECT_EQ(t.profit, opt.profit);
        for (std::size_t i = 0; i < l.size(); ++i) {
            EXPECT_GE(opt.quantities[i], 0);
            EXPECT_LE(opt.quantities[i], l[i]);
        }
    }
}

TEST(ExactOptimum, ZeroWeightItemsAndHugeLimits) {
    const Instance inst = make_instance({0, 5, 0}, {3, 7, -2}, {1000, 2, 9}, 9);
    const Optimum opt = exact_optimum(inst);
    EXPECT_EQ(opt.profit, 3000 + 7);
    EXPECT_EQ(opt.quantities, (Solution{1000, 1, 0}));
}

TEST(ExactOptimum, NoSearchResultBeatsIt) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        const Instance inst = generate_instance(seed);
        const Optimum opt = exact_optimum(inst);
        Rng rng(seed);
        Solution s(static_cast<std::size_t>(inst.item_count));
        random_solution(rng, s, inst.limits);
        Evaluation e = evaluate(inst, s);
        Output sink = Output::discarding();
        vns(inst, s, e.weight, e.objective, sink, rng, VnsStop::after_cycles(300));
        if (e.weight <= inst.capacity) {
            EXPECT_LE(e.objective, opt.profit);
        }
        // And the optimum itself evaluates to its profit under the penalised objective.
        EXPECT_EQ(evaluate(inst, opt.quantities).objective, opt.profit);
    }
}

} // namespace
} // namespace knapsack
