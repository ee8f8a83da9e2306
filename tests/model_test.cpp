#include "model/evaluation.hpp"
#include "model/moves.hpp"
#include "model/random.hpp"
#include "model/solution.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

namespace knapsack {
namespace {

using testing::describes;
using testing::two_item_instance;

TEST(Evaluation, WorkedExampleIncludingPenalty) {
    const Instance inst = two_item_instance();
    EXPECT_EQ(inst.penalty, 8);
    const Quantities over{1, 1};
    EXPECT_EQ(total_weight(over, inst.weights), 5);
    EXPECT_EQ(infeasibility(5, inst.capacity), 1);
    EXPECT_EQ(objective_of(inst, totals_of(inst, over)), 1);
    const Solution worst(inst, {1, 2});
    EXPECT_EQ(worst.weight(), 8);
    EXPECT_EQ(worst.infeasibility(), 4);
    EXPECT_EQ(worst.objective(), 5 + 8 - 4 * 8);
    EXPECT_EQ(Solution(inst, {0, 1}).objective(), 4);
}

TEST(Evaluation, ExactlyAtCapacityHasNoPenalty) {
    const Instance inst = make_instance({4, 1}, {7, 1}, {1, 3}, 4);
    EXPECT_EQ(infeasibility(4, 4), 0);
    EXPECT_EQ(Solution(inst, {1, 0}).objective(), 7);
    EXPECT_EQ(Solution(inst, {1, 1}).objective(), 8 - inst.penalty);
}

// Each move's effect on the totals, as a scan reads it before making the
// move, is what a full evaluation of its result says, and the solution's
// running totals follow it.
template <typename Move> void expect_exact_effect(Solution& s, Totals predicted, const Move& move) {
    move.apply(s);
    EXPECT_TRUE(describes(s));
    EXPECT_EQ(predicted.weight, s.weight());
    EXPECT_EQ(objective_of(s.instance(), predicted), s.objective());
}

TEST(Moves, EffectsOnTheTotalsAreExact) {
    const Instance inst = make_instance({2, 3, 7}, {5, -4, 9}, {1, 2, 3}, 6);
    Solution s(inst, {1, 2, 0});
    expect_exact_effect(s, AddUnit{2}.after(inst, s.totals()), AddUnit{2});
    expect_exact_effect(s, RemoveUnit{1}.after(inst, s.totals()), RemoveUnit{1});
    for (const TransferUnit transfer : {TransferUnit{0, 2}, TransferUnit{1, 2}}) {
        ASSERT_TRUE(TransferUnit::can_give(s, transfer.from));
        ASSERT_TRUE(TransferUnit::can_receive(s, transfer.to));
        const Totals given = TransferUnit::after_giving(inst, s.totals(), transfer.from);
        expect_exact_effect(s, TransferUnit::after_receiving(inst, given, transfer.to), transfer);
    }
    EXPECT_EQ(s.quantities(), (Quantities{0, 0, 3}));
}

TEST(Moves, LegalOnlyWithinTheBounds) {
    const Instance inst = make_instance({1, 1, 1}, {1, 1, 1}, {2, 0, 3}, 9);
    const Solution s(inst, {2, 0, 1});
    EXPECT_FALSE(AddUnit{0}.allowed(s)) << "at its limit";
    EXPECT_FALSE(AddUnit{1}.allowed(s)) << "a limit of 0";
    EXPECT_TRUE(AddUnit{2}.allowed(s));
    EXPECT_FALSE(RemoveUnit{1}.allowed(s)) << "at 0";
    EXPECT_TRUE(RemoveUnit{2}.allowed(s));
    EXPECT_TRUE(TransferUnit::can_give(s, 0));
    EXPECT_FALSE(TransferUnit::can_give(s, 1)) << "the giver is empty";
    EXPECT_TRUE(TransferUnit::can_receive(s, 2));
    EXPECT_FALSE(TransferUnit::can_receive(s, 0)) << "the receiver is full";
    Solution t = s;
    EXPECT_FALSE(apply_if_allowed(AddUnit{0}, t));
    EXPECT_TRUE(apply_if_allowed(RemoveUnit{0}, t));
    EXPECT_EQ(t.quantities(), (Quantities{1, 0, 1}));
}

TEST(RunningTotals, FollowEveryClampedChange) {
    // An addition past the limit fills up to it and returns 0: the totals
    // follow the units that really moved, not what the change returns.
    const Instance inst = make_instance({2, 3}, {5, -4}, {4, 6}, 10);
    Solution s(inst, {1, 2});
    EXPECT_EQ(s.change_quantity(0, +7), 0);
    EXPECT_TRUE(describes(s));
    EXPECT_EQ(s.change_quantity(1, -9), -2);
    EXPECT_TRUE(describes(s));
    EXPECT_EQ(s.change_quantity(1, +3), 3);
    EXPECT_TRUE(describes(s));
    EXPECT_EQ(s.quantities(), (Quantities{4, 3}));
}

TEST(ChangeQuantity, ClampsAtBothBoundsAndUndoes) {
    const std::vector<std::int32_t> limits{2, 0, 5};
    Quantities s{2, 0, 3};
    EXPECT_EQ(change_quantity(s, 0, +1, limits), 0) << "at its limit";
    EXPECT_EQ(s[0], 2);
    EXPECT_EQ(change_quantity(s, 1, -1, limits), 0) << "at zero";
    EXPECT_EQ(s[1], 0);
    EXPECT_EQ(change_quantity(s, 2, 0, limits), 0);
    EXPECT_EQ(change_quantity(s, 2, -1, limits), -1);
    EXPECT_EQ(s[2], 2);
    EXPECT_EQ(change_quantity(s, 2, +1, limits), 1);
    EXPECT_EQ(s[2], 3);
    // A removal past zero reports what it really took, so undoing restores;
    const std::int32_t taken = change_quantity(s, 2, -7, limits);
    EXPECT_EQ(taken, -3);
    EXPECT_EQ(s[2], 0);
    EXPECT_EQ(change_quantity(s, 2, -taken, limits), 3);
    EXPECT_EQ(s[2], 3);
    // an addition past the limit fills up to it yet reports 0.
    EXPECT_EQ(change_quantity(s, 2, +4, limits), 0);
    EXPECT_EQ(s[2], 5);
}

TEST(ChangeQuantity, HugeLimitDoesNotOverflow) {
    const std::vector<std::int32_t> limits{INT32_MAX};
    Quantities s{INT32_MAX};
    EXPECT_EQ(change_quantity(s, 0, +1, limits), 0);
    EXPECT_EQ(s[0], INT32_MAX);
    EXPECT_EQ(change_quantity(s, 0, -1, limits), -1);
    EXPECT_EQ(change_quantity(s, 0, +1, limits), 1);
}

TEST(RandomDraws, ZeroDrawsNothingAndOneStillDraws) {
    Rng a(kSeed);
    Rng b(kSeed);
    EXPECT_EQ(random_below(a, 0), 0);
    EXPECT_EQ(a(), b()) << "random_below(0) must not consume a draw";
    EXPECT_EQ(random_below(a, 1), 0);
    b();
    EXPECT_EQ(a(), b()) << "random_below(1) must consume exactly one draw";
}

TEST(RandomDraws, ModuloOfTheNextOutput) {
    Rng a(kSeed);
    Rng b(kSeed);
    for (std::int64_t k : {2LL, 3LL, 50LL, 6LL, 1LL << 31}) {
        EXPECT_EQ(random_below(a, k),
                  static_cast<std::int64_t>(b() % static_cast<std::uint64_t>(k)));
    }
}

TEST(RandomSolution, OneDrawPerItemWithinLimits) {
    const std::vector<std::int32_t> limits{0, 5, 1, INT32_MAX, 3};
    const Instance inst = make_instance({1, 1, 1, 0, 1}, {1, 1, 1, 0, 1}, limits, 10);
    Rng a(7);
    const Solution s = random_solution(a, inst);
    EXPECT_TRUE(describes(s));
    EXPECT_EQ(s.quantity(0), 0);
    Rng b(7);
    b.discard(limits.size());
    EXPECT_EQ(a(), b()) << "a limit of 0 still takes its draw";
}

} // namespace
} // namespace knapsack
