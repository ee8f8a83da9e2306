#include "model/evaluation.hpp"
#include "search/descents.hpp"
#include "search/vnd.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

namespace knapsack {
namespace {

using testing::CapturedOutput;
using testing::count_of;
using testing::two_item_instance;

struct Descended {
    Solution solution;
    std::int32_t W;
    std::int32_t F;
    std::string text;
};

Descended one_opt(const Instance& inst, Solution s, std::int32_t W, std::int32_t F,
                  double fraction) {
    CapturedOutput c;
    descent_1opt(inst, s, W, F, c.out(), fraction);
    return {s, W, F, c.text()};
}

Descended two_opt(const Instance& inst, Solution s, std::int32_t W, std::int32_t F) {
    CapturedOutput c;
    descent_2opt(inst, s, W, F, c.out());
    return {s, W, F, c.text()};
}

TEST(ScanLength, TruncatesAndStaysWithinTheItems) {
    EXPECT_EQ(scan_length(50, 0.8), 40);
    EXPECT_EQ(scan_length(2, 0.8), 1);
    EXPECT_EQ(scan_length(2, 0.4), 0);
    EXPECT_EQ(scan_length(5, -1.0), 0);
    EXPECT_EQ(scan_length(5, 3.0), 5);
}

TEST(OneUnitDescent, FullScanRemovesTwiceFromTheWorkedExample) {
    const Descended r = one_opt(two_item_instance(), {1, 2}, 8, -19, 1.0);
    EXPECT_EQ(r.solution, (Solution{1, 0}));
    EXPECT_EQ(r.W, 2);
    EXPECT_EQ(r.F, 5);
    EXPECT_EQ(r.text, "-------------------------------------------------\n"
                      "Melhor solucao encontrada pelo Metodo da descida 1 Optimal:\n"
                      "Funcao objetivo: 5\n"
                      "Peso da mochila: 2    Inviabilidade = 0 \n"
                      "-------------------------------------------------\n");
}

TEST(OneUnitDescent, PartialScanTouchesOnlyTheLeadingItems) {
    const Descended r = one_opt(two_item_instance(), {1, 2}, 8, -19, 0.8);
    EXPECT_EQ(r.solution, (Solution{0, 2}));
    EXPECT_EQ(r.W, 6);
    EXPECT_EQ(r.F, -8);
    EXPECT_EQ(count_of(r.text, "descida 1"), 1u);
}

TEST(OneUnitDescent, EmptyScanChangesNothingButStillReports) {
    const Descended r = one_opt(two_item_instance(), {1, 2}, 12345, -19, 0.4);
    EXPECT_EQ(r.solution, (Solution{1, 2}));
    EXPECT_EQ(r.W, 12345) << "nothing scanned, so W is left as given";
    EXPECT_EQ(r.F, -19);
    EXPECT_EQ(count_of(r.text, "Funcao objetivo: -19\nPeso da mochila: 12345"), 1u);
}

TEST(OneUnitDescent, ItemsPastTheScanAreNeverTouched) {
    // Items 40..49 are the only ones worth adding; the first 40 are at their best.
    std::vector<std::int32_t> weights(50, 1), profits(50, 1), limits(50, 1);
    Solution start(50, 0);
    for (int i = 0; i < 40; ++i) {
        profits[static_cast<std::size_t>(i)] = -1;
    }
    const Instance inst = make_instance(weights, profits, limits, 100);
    const Descended r = one_opt(inst, start, 0, 0, kScanFraction);
    EXPECT_EQ(r.solution, start);
    EXPECT_EQ(r.F, 0);
}

TEST(OneUnitDescent, LocalOptimumComesBackUnchangedWithWRecomputed) {
    const Descended r = one_opt(two_item_instance(), {1, 0}, 999, 5, 1.0);
    EXPECT_EQ(r.solution, (Solution{1, 0}));
    EXPECT_EQ(r.W, 2);
    EXPECT_EQ(r.F, 5);
}

TEST(OneUnitDescent, EqualGainsGoToTheLowerItem) {
    // Either item alone gains 2; once one is in, the other would overfill.
    const Instance inst = make_instance({1, 1}, {2, 2}, {1, 1}, 1);
    const Descended r = one_opt(inst, {0, 0}, 0, 0, 1.0);
    EXPECT_EQ(r.solution, (Solution{1, 0}));
    EXPECT_EQ(r.F, 2);
}

TEST(UnitTransferDescent, WorkedExamplesHaveNoImprovingTransfer) {
    const Descended a = two_opt(two_item_instance(), {1, 0}, 2, 5);
    EXPECT_EQ(a.solution, (Solution{1, 0}));
    EXPECT_EQ(a.F, 5);
    const Descended b = two_opt(two_item_instance(), {1, 1}, 5, 1);
    EXPECT_EQ(b.solution, (Solution{1, 1}));
    EXPECT_EQ(b.F, 1);
    EXPECT_EQ(count_of(b.text, "descida 2"), 1u);
}

TEST(UnitTransferDescent, TransfersGoOnlyToHigherItems) {
    std::vector<std::int32_t> ones(6, 1);
    std::vector<std::int32_t> profits{1, 1, 10, 1, 1, 1};
    const Instance up = make_instance(ones, profits, ones, 10);
    // From item 5 to item 2 would gain 9, but it is the wrong direction.
    const Descended stuck = two_opt(up, {0, 0, 0, 0, 0, 1}, 1, 1);
    EXPECT_EQ(stuck.solution, (Solution{0, 0, 0, 0, 0, 1}));
    std::vector<std::int32_t> rising{1, 1, 1, 1, 1, 10};
    const Instance down = make_instance(ones, rising, ones, 10);
    const Descended moved = two_opt(down, {0, 0, 1, 0, 0, 0}, 1, 1);
    EXPECT_EQ(moved.solution, (Solution{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(moved.F, 10);
}

TEST(UnitTransferDescent, NothingToGiveMeansNoTransfer) {
    const Instance inst = make_instance({1, 2, 3}, {1, 5, 9}, {2, 2, 2}, 10);
    for (const Solution& s : {Solution{0, 0, 0}, Solution{0, 0, 2}}) {
        const Evaluation e = evaluate(inst, s);
        const Descended r = two_opt(inst, s, e.weight, e.objective);
        EXPECT_EQ(r.solution, s);
        EXPECT_EQ(r.F, e.objective);
    }
}

TEST(UnitTransferDescent, PenaltyCountsWhenATransferOverfills) {
    // Moving a unit from item 0 (weight 1) to item 1 (weight 5) overfills by 1
    // for a profit gain of 3; the penalty of 7 per unit makes it a loss.
    const Instance inst = make_instance({1, 5}, {1, 4}, {2, 1}, 5);
    const Descended r = two_opt(inst, {2, 0}, 2, 2);
    EXPECT_EQ(r.solution, (Solution{2, 0}));
    EXPECT_EQ(r.F, 2);
}

} // namespace
} // namespace knapsack
