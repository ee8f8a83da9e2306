#include "model/evaluation.hpp"
#include "search/shakes.hpp"
#include "search/trace_memo.hpp"
#include "search/vnd.hpp"
#include "search/vns.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

namespace knapsack {
namespace {

using testing::CapturedOutput;
using testing::count_of;
using testing::two_item_instance;

const std::string kRule = "-------------------------------------------------\n";

std::string block(const std::string& title, int F, int W, int excess = 0) {
    return kRule + title + "Funcao objetivo: " + std::to_string(F) +
           "\nPeso da mochila: " + std::to_string(W) +
           "    Inviabilidade = " + std::to_string(excess) + " \n" + kRule;
}

const std::string k1 = "Melhor solucao encontrada pelo Metodo da descida 1 Optimal:\n";
const std::string k2 = "Melhor solucao encontrada pelo Metodo da descida 2 Optimal:\n";

TEST(Vnd, WorkedExampleTraceAndResult) {
    const Instance inst = two_item_instance();
    Solution s{1, 2};
    std::int32_t W = 8;
    std::int32_t F = -19;
    CapturedOutput c;
    vnd(inst, s, W, F, c.out());
    EXPECT_EQ(s, (Solution{0, 2}));
    EXPECT_EQ(W, 6);
    EXPECT_EQ(F, -8);
    // One-unit improves, one-unit again finds nothing, transfer finds nothing.
    EXPECT_EQ(c.text(), block(k1, -8, 6, 2) + block(k1, -8, 6, 2) + block(k2, -8, 6, 2) +
                            block("Melhor solucao encontrada pelo VND:\n", -8, 6, 2) +
                            "Solucao Encontrada:\n [s]  |  [w] \n [0]  |  [2]\n [2]  |  [3]\n");
}

TEST(Vnd, LocalOptimumPrintsEachDescentOnceAndStays) {
    const Instance inst = two_item_instance();
    Solution s{1, 0};
    std::int32_t W = 2;
    std::int32_t F = 5;
    CapturedOutput c;
    vnd(inst, s, W, F, c.out());
    EXPECT_EQ(s, (Solution{1, 0}));
    EXPECT_EQ(F, 5);
    EXPECT_EQ(W, 2);
    EXPECT_EQ(c.text(), block(k1, 5, 2) + block(k2, 5, 2) +
                            block("Melhor solucao encontrada pelo VND:\n", 5, 2) +
                            "Solucao Encontrada:\n [s]  |  [w] \n [1]  |  [2]\n [0]  |  [3]\n");
}

TEST(Shakes, SingleDrawsDirectionThenItem) {
    const Instance inst = make_instance({1, 2, 3, 4}, {1, 1, 1, 1}, {3, 3, 3, 3}, 100);
    Rng rng(kSeed);
    Rng mirror(kSeed);
    for (int round = 0; round < 50; ++round) {
        Solution s{1, 1, 1, 1};
        std::int32_t cw = 0;
        std::int32_t cf = 0;
        shake_single(inst, s, cw, cf, rng);
        const std::int32_t d = mirror() % 2 == 0 ? -1 : +1;
        const auto i = static_cast<std::size_t>(mirror() % 4);
        Solution expected{1, 1, 1, 1};
        expected[i] += d;
        EXPECT_EQ(s, expected);
        const Evaluation e = evaluate(inst, s);
        EXPECT_EQ(cw, e.weight);
        EXPECT_EQ(cf, e.objective);
    }
}

TEST(Shakes, SingleAtALimitChangesNothing) {
    const Instance inst = make_instance({1}, {1}, {0}, 10);
    Rng rng(3);
    for (int round = 0; round < 10; ++round) {
        Solution s{0};
        std::int32_t cw = -1;
        std::int32_t cf = -1;
        shake_single(inst, s, cw, cf, rng);
        EXPECT_EQ(s, Solution{0});
        EXPECT_EQ(cw, 0);
    }
}

TEST(Shakes, PairTakesAUnitFromBothOrNothing) {
    const Instance inst = make_instance({1, 1, 1}, {1, 1, 1}, {2, 2, 2}, 10);
    Rng rng(kSeed);
    Rng mirror(kSeed);
    for (int round = 0; round < 200; ++round) {
        const Solution start{0, 1, 2};
        Solution s = start;
        std::int32_t cw = 0;
        std::int32_t cf = 0;
        shake_pair(inst, s, cw, cf, rng);
        const auto a = static_cast<std::size_t>(mirror() % 3);
        auto b = static_cast<std::size_t>(mirror() % 3);
        while (b == a) {
            b = static_cast<std::size_t>(mirror() % 3);
        }
        Solution expected = start;
        if (expected[a] > 0) {
            --expected[a];
            expected[b] = std::max(0, expected[b] - 1);
        }
        EXPECT_EQ(s, expected) << a << ' ' << b;
        EXPECT_EQ(cw, evaluate(inst, s).weight);
    }
}

TEST(TraceMemo, ReplaysExactlyTheKeptTraceOfTheSameStartOnly) {
    CapturedOutput c;
    TraceMemo memo(c.out());
    const Solution incumbent{2, 2, 2, 2};
    const std::vector<Solution> starts{{1, 2, 2, 2}, {3, 2, 2, 2}, {2, 1, 2, 1},
                                       {2, 1, 2, 2}, {2, 2, 2, 2}, {2, 2, 2, 1}};
    std::string expected;
    for (std::size_t k = 0; k < starts.size(); ++k) {
        ASSERT_FALSE(memo.replay(incumbent, starts[k])) << k;
        const std::string trace(50 * (k + 1) + 4000 * (k % 2), static_cast<char>('a' + k));
        memo.recorder().put(trace);
        memo.keep();
        expected += trace;
    }
    for (std::size_t k = starts.size(); k-- > 0;) {
        ASSERT_TRUE(memo.replay(incumbent, starts[k])) << k;
        expected += std::string(50 * (k + 1) + 4000 * (k % 2), static_cast<char>('a' + k));
    }
    // Two units off one item is not a shake's start: descended, never kept.
    const Solution far{0, 2, 2, 2};
    EXPECT_FALSE(memo.replay(incumbent, far));
    memo.recorder().put("far");
    memo.keep();
    EXPECT_FALSE(memo.replay(incumbent, far));
    // A new incumbent makes every kept trace stale.
    memo.recorder().put("new");
    memo.forget();
    EXPECT_FALSE(memo.replay(incumbent, starts[0]));
    EXPECT_EQ(c.text(), expected + "farnew");
}

TEST(Vns, ZeroBudgetReportsTheIncomingSolutionWithoutDrawing) {
    const Instance inst = two_item_instance();
    Solution s{1, 1};
    std::int32_t W = 5;
    std::int32_t F = 1;
    Rng rng(kSeed);
    CapturedOutput c;
    vns(inst, s, W, F, c.out(), rng, VnsStop::after_seconds(0.0));
    EXPECT_EQ(c.text(), kRule + "Melhor solucao encontrada pelo VNS em 0 segundos:\n" +
                            "Funcao objetivo: 1\nPeso da mochila: 5    Inviabilidade = 1 \n" +
                            kRule +
                            "Solucao Encontrada:\n [s]  |  [w] \n [1]  |  [2]\n [1]  |  [3]\n");
    EXPECT_EQ(s, (Solution{1, 1}));
    EXPECT_EQ(rng(), Rng(kSeed)());
}

TEST(Vns, ShortBudgetImprovesAndTitlesWithTheBudget) {
    const Instance inst = two_item_instance();
    Solution s{1, 2};
    std::int32_t W = 8;
    std::int32_t F = -19;
    Rng rng(kSeed);
    CapturedOutput c;
    vns(inst, s, W, F, c.out(), rng, VnsStop::after_seconds(0.05));
    // The example's optimum is one unit of item 0 alone: F = 5.
    EXPECT_EQ(F, 5);
    EXPECT_EQ(s, (Solution{1, 0}));
    const std::string& text = c.text();
    EXPECT_NE(text.rfind("Melhor solucao encontrada pelo VNS em 0 segundos:\nFuncao objetivo: 5\n"),
              std::string::npos);
    EXPECT_GT(count_of(text, "Melhor solucao encontrada pelo VND:"), 2u);
}

} // namespace
} // namespace knapsack
