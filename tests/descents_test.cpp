#include "search/descents.hpp"
#include "search/vnd.hpp"
#include "test_support.hpp"

#include <cmath>
#include <gtest/gtest.h>

namespace knapsack {
namespace {

using testing::CapturedOutput;
using testing::count_of;
using testing::two_item_instance;

struct Descended {
    Solution solution;
    std::string text;
};

Descended one_unit(const Instance& inst, Quantities q, double fraction) {
    Solution s(inst, std::move(q));
    CapturedOutput c;
    descent_1opt(s, c.out(), fraction);
    return {s, c.text()};
}

Descended unit_transfer(const Instance& inst, Quantities q) {
    Solution s(inst, std::move(q));
    CapturedOutput c;
    descent_2opt(s, c.out());
    return {s, c.text()};
}

TEST(ScanLength, TruncatesAndStaysWithinTheItems) {
    EXPECT_EQ(scan_length(50, 0.8), 40);
    EXPECT_EQ(scan_length(2, 0.8), 1);
    EXPECT_EQ(scan_length(2, 0.4), 0);
    EXPECT_EQ(scan_length(5, -1.0), 0);
    EXPECT_EQ(scan_length(5, 3.0), 5);
    EXPECT_EQ(scan_length(5, std::nan("")), 0);
}

TEST(OneUnitDescent, FullScanRemovesTwiceFromTheWorkedExample) {
    const Instance inst = two_item_instance();
    const Descended r = one_unit(inst, {1, 2}, 1.0);
    EXPECT_EQ(r.solution.quantities(), (Quantities{1, 0}));
    EXPECT_EQ(r.solution.weight(), 2);
    EXPECT_EQ(r.solution.objective(), 5);
    EXPECT_EQ(r.text, "-------------------------------------------------\n"
                      "Melhor solucao encontrada pelo Metodo da descida 1 Optimal:\n"
                      "Funcao objetivo: 5\n"
                      "Peso da mochila: 2    Inviabilidade = 0 \n"
                      "-------------------------------------------------\n");
}

TEST(OneUnitDescent, PartialScanTouchesOnlyTheLeadingItems) {
    const Instance inst = two_item_instance();
    const Descended r = one_unit(inst, {1, 2}, 0.8);
    EXPECT_EQ(r.solution.quantities(), (Quantities{0, 2}));
    EXPECT_EQ(r.solution.weight(), 6);
    EXPECT_EQ(r.solution.objective(), -8);
    EXPECT_EQ(count_of(r.text, "descida 1"), 1u);
}

TEST(OneUnitDescent, EmptyScanChangesNothingButStillReports) {
    const Instance inst = two_item_instance();
    const Descended r = one_unit(inst, {1, 2}, 0.4);
    EXPECT_EQ(r.solution.quantities(), (Quantities{1, 2}));
    EXPECT_EQ(count_of(r.text, "Funcao objetivo: -19\nPeso da mochila: 8"), 1u);
}

TEST(OneUnitDescent, ItemsPastTheScanAreNeverTouched) {
    // Items 40..49 are the only ones worth adding; the first 40 are at their best.
    std::vector<std::int32_t> weights(50, 1), profits(50, 1), limits(50, 1);
    for (int i = 0; i < 40; ++i) {
        profits[static_cast<std::size_t>(i)] = -1;
    }
    const Instance inst = make_instance(weights, profits, limits, 100);
    const Descended r = one_unit(inst, Quantities(50, 0), kScanFraction);
    EXPECT_EQ(r.solution.quantities(), Quantities(50, 0));
}

TEST(OneUnitDescent, LocalOptimumComesBackUnchanged) {
    const Instance inst = two_item_instance();
    const Descended r = one_unit(inst, {1, 0}, 1.0);
    EXPECT_EQ(r.solution.quantities(), (Quantities{1, 0}));
    EXPECT_EQ(r.solution.objective(), 5);
}

TEST(OneUnitDescent, EqualGainsGoToTheLowerItem) {
    // Either item alone gains 2; once one is in, the other would overfill.
    const Instance inst = make_instance({1, 1}, {2, 2}, {1, 1}, 1);
    const Descended r = one_unit(inst, {0, 0}, 1.0);
    EXPECT_EQ(r.solution.quantities(), (Quantities{1, 0}));
    EXPECT_EQ(r.solution.objective(), 2);
}

TEST(UnitTransferDescent, WorkedExamplesHaveNoImprovingTransfer) {
    const Instance inst = two_item_instance();
    EXPECT_EQ(unit_transfer(inst, {1, 0}).solution.quantities(), (Quantities{1, 0}));
    const Descended b = unit_transfer(inst, {1, 1});
    EXPECT_EQ(b.solution.quantities(), (Quantities{1, 1}));
    EXPECT_EQ(b.solution.objective(), 1);
    EXPECT_EQ(count_of(b.text, "descida 2"), 1u);
}

TEST(UnitTransferDescent, TransfersGoOnlyToHigherItems) {
    std::vector<std::int32_t> ones(6, 1);
    const Instance up = make_instance(ones, {1, 1, 10, 1, 1, 1}, ones, 10);
    // From item 5 to item 2 would gain 9, but it is the wrong direction.
    EXPECT_EQ(unit_transfer(up, {0, 0, 0, 0, 0, 1}).solution.quantities(),
              (Quantities{0, 0, 0, 0, 0, 1}));
    const Instance down = make_instance(ones, {1, 1, 1, 1, 1, 10}, ones, 10);
    const Descended moved = unit_transfer(down, {0, 0, 1, 0, 0, 0});
    EXPECT_EQ(moved.solution.quantities(), (Quantities{0, 0, 0, 0, 0, 1}));
    EXPECT_EQ(moved.solution.objective(), 10);
}

TEST(UnitTransferDescent, NothingToGiveMeansNoTransfer) {
    const Instance inst = make_instance({1, 2, 3}, {1, 5, 9}, {2, 2, 2}, 10);
    for (const Quantities& q : {Quantities{0, 0, 0}, Quantities{0, 0, 2}}) {
        EXPECT_EQ(unit_transfer(inst, q).solution.quantities(), q);
    }
}

TEST(UnitTransferDescent, PenaltyCountsWhenATransferOverfills) {
    // Moving a unit from item 0 (weight 1) to item 1 (weight 5) overfills by 1
    // for a profit gain of 3; the penalty of 7 per unit makes it a loss.
    const Instance inst = make_instance({1, 5}, {1, 4}, {2, 1}, 5);
    const Descended r = unit_transfer(inst, {2, 0});
    EXPECT_EQ(r.solution.quantities(), (Quantities{2, 0}));
    EXPECT_EQ(r.solution.objective(), 2);
}

} // namespace
} // namespace knapsack
