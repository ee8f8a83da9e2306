#include "model/loader.hpp"
#include "model/random.hpp"
#include "model/solution.hpp"
#include "quality/exact_optimum.hpp"
#include "quality/instance_generator.hpp"
#include "search/vns.hpp"
#include "support/run_process.hpp"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace knapsack {
namespace {

struct Best {
    std::int64_t objective;
    std::int64_t feasible_profit;
};

// Both optima by trying every solution, with the objective worked out here.
Best brute_force(const Instance& inst) {
    Quantities s(static_cast<std::size_t>(inst.item_count), 0);
    Best best{std::numeric_limits<std::int64_t>::min(), 0};
    for (;;) {
        std::int64_t weight = 0;
        std::int64_t profit = 0;
        for (std::size_t i = 0; i < s.size(); ++i) {
            weight += std::int64_t{s[i]} * inst.weights[i];
            profit += std::int64_t{s[i]} * inst.profits[i];
        }
        const std::int64_t excess = std::max<std::int64_t>(0, weight - inst.capacity);
        best.objective = std::max(best.objective, profit - excess * inst.penalty);
        if (excess == 0) {
            best.feasible_profit = std::max(best.feasible_profit, profit);
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

// Small instances with zero weights, negative profits, tight and loose
// capacities, and now and then a light item worth more than the penalty.
Instance small_instance(std::uint32_t seed) {
    Rng rng(seed);
    const int n = 1 + static_cast<int>(random_below(rng, 5));
    std::vector<std::int32_t> w, p, l;
    for (int i = 0; i < n; ++i) {
        w.push_back(static_cast<std::int32_t>(random_below(rng, 4)));
        l.push_back(static_cast<std::int32_t>(random_below(rng, 5)));
        const bool precious = random_below(rng, 3) == 0;
        p.push_back(static_cast<std::int32_t>(random_below(rng, precious ? 90 : 16)) - 5);
    }
    return make_instance(w, p, l, static_cast<std::int32_t>(random_below(rng, 14)));
}

TEST(ExactOptimum, EqualsBruteForceWhetherOverfillingPaysOrNot) {
    int overfull_wins = 0;
    const std::uint32_t kInstances = 400;
    for (std::uint32_t seed = 1; seed <= kInstances; ++seed) {
        SCOPED_TRACE(seed);
        const Instance inst = small_instance(seed);
        const Optimum opt = exact_optimum(inst);
        const Best best = brute_force(inst);
        EXPECT_EQ(opt.objective, best.objective);
        EXPECT_EQ(opt.feasible_profit, best.feasible_profit);
        overfull_wins += opt.objective > opt.feasible_profit;
        // The solution reported is within its limits and worth what is claimed.
        for (std::size_t i = 0; i < inst.limits.size(); ++i) {
            EXPECT_GE(opt.quantities[i], 0);
            EXPECT_LE(opt.quantities[i], inst.limits[i]);
        }
        EXPECT_EQ(Solution(inst, opt.quantities).objective(), opt.objective);
    }
    // Both kinds of instance are well represented.
    EXPECT_GT(overfull_wins, 40);
    EXPECT_LT(overfull_wins, 360);
    // Below a capacity of 0 nothing fits, not even the empty knapsack.
    const Instance none = make_instance({1}, {5}, {2}, -1);
    EXPECT_EQ(exact_optimum(none).objective, brute_force(none).objective);
    EXPECT_EQ(exact_optimum(none).feasible_profit, 0);
}

TEST(ExactOptimum, ZeroWeightItemsAndHugeLimits) {
    // Penalty 10: a second unit of item 1 would gain 7 and cost 10.
    const Instance inst = make_instance({0, 5, 0}, {3, 7, -2}, {1000, 2, 9}, 9);
    const Optimum opt = exact_optimum(inst);
    EXPECT_EQ(opt.objective, 3000 + 7);
    EXPECT_EQ(opt.quantities, (Quantities{1000, 1, 0}));
}

// A generated instance whose first item, light and precious, is worth
// overfilling the knapsack for: each unit past the capacity gains about 600.
Instance overfilling_pays(std::uint32_t seed) {
    Instance base = generate_instance(seed, {.max_weight = 5, .max_limit = 3});
    base.weights[0] = 1;
    base.profits[0] = 1000;
    base.limits[0] = 150;
    return make_instance(base.weights, base.profits, base.limits, base.capacity);
}

// The best objective by GLPK's integer programming solver: maximise
// profit - penalty * e subject to weight - e <= capacity, e >= 0.
std::optional<std::int64_t> glpk_optimum(const Instance& inst) {
    if (std::system("command -v glpsol >/dev/null 2>&1") != 0) {
        return std::nullopt;
    }
    testing::TempDir dir;
    std::ostringstream lp;
    lp << "Maximize\n obj:";
    for (int i = 0; i < inst.item_count; ++i) {
        lp << " + " << inst.profits[static_cast<std::size_t>(i)] << " x" << i;
    }
    lp << " - " << inst.penalty << " e\nSubject To\n cap:";
    for (int i = 0; i < inst.item_count; ++i) {
        lp << " + " << inst.weights[static_cast<std::size_t>(i)] << " x" << i;
    }
    lp << " - e <= " << inst.capacity << "\nBounds\n";
    for (int i = 0; i < inst.item_count; ++i) {
        lp << " 0 <= x" << i << " <= " << inst.limits[static_cast<std::size_t>(i)] << "\n";
    }
    lp << " e >= 0\nGeneral\n";
    for (int i = 0; i < inst.item_count; ++i) {
        lp << " x" << i;
    }
    lp << "\nEnd\n";
    dir.write("model.lp", lp.str());
    const std::string command = "glpsol --lp " + (dir.path() / "model.lp").string() + " -o " +
                                (dir.path() / "report.txt").string() + " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
        ADD_FAILURE() << "glpsol failed on\n" << lp.str();
        return std::nullopt;
    }
    std::istringstream report(testing::read_file(dir.path() / "report.txt"));
    for (std::string line; std::getline(report, line);) {
        if (line.rfind("Objective:", 0) == 0) {
            return std::stoll(line.substr(line.find('=') + 1));
        }
    }
    ADD_FAILURE() << "no objective in glpsol's report";
    return std::nullopt;
}

TEST(ExactOptimum, AgreesWithAnIntegerProgrammingSolver) {
    std::vector<Instance> instances;
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        instances.push_back(generate_instance(seed));
        instances.push_back(overfilling_pays(seed));
    }
    for (std::size_t k = 0; k < instances.size(); ++k) {
        SCOPED_TRACE(k);
        const std::optional<std::int64_t> glpk = glpk_optimum(instances[k]);
        if (!glpk) {
            GTEST_SKIP() << "glpsol (Debian package glpk-utils) is not installed";
        }
        const Optimum opt = exact_optimum(instances[k]);
        EXPECT_EQ(opt.objective, *glpk);
        EXPECT_EQ(opt.objective > opt.feasible_profit, k % 2 == 1) << "overfilling pays";
    }
}

TEST(ExactOptimum, NoSearchResultBeatsIt) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        const Instance inst = seed % 2 == 0 ? generate_instance(seed) : overfilling_pays(seed);
        const Optimum opt = exact_optimum(inst);
        Rng rng(seed);
        Solution s = random_solution(rng, inst);
        Output sink = Output::discarding();
        vns(s, sink, rng, VnsStop::after_cycles(300));
        EXPECT_LE(s.objective(), opt.objective);
    }
}

// The shipped instance is what the generator makes of its seed, so any change
// to the generator's ranges or draws shows here before it silently changes
// make_instance's files and the quality report.
TEST(InstanceGenerator, ItsSeedMakesTheShippedInstance) {
    const Instance shipped = load_instance(SOURCE_DIR "/data");
    const Instance generated = generate_instance(kShippedInstanceSeed);
    EXPECT_EQ(generated.weights, shipped.weights);
    EXPECT_EQ(generated.profits, shipped.profits);
    EXPECT_EQ(generated.limits, shipped.limits);
    EXPECT_EQ(generated.penalty, 1444);
}

} // namespace
} // namespace knapsack
