#include "quality/instance_generator.hpp"
#include "quality/starts.hpp"
#include "search/shakes.hpp"
#include "search/trace_memo.hpp"
#include "search/vnd.hpp"
#include "search/vns.hpp"
#include "test_support.hpp"

#include <chrono>
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

namespace knapsack {
namespace {

using testing::CapturedOutput;
using testing::count_of;
using testing::describes;
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
    Solution s(inst, {1, 2});
    CapturedOutput c;
    vnd(s, c.out());
    EXPECT_EQ(s.quantities(), (Quantities{0, 2}));
    EXPECT_EQ(s.weight(), 6);
    EXPECT_EQ(s.objective(), -8);
    // The one-unit descent improves, then finds nothing; the unit-transfer descent finds nothing.
    EXPECT_EQ(c.text(), block(k1, -8, 6, 2) + block(k1, -8, 6, 2) + block(k2, -8, 6, 2) +
                            block("Melhor solucao encontrada pelo VND:\n", -8, 6, 2) +
                            "Solucao Encontrada:\n [s]  |  [w] \n [0]  |  [2]\n [2]  |  [3]\n");
}

TEST(Vnd, LocalOptimumPrintsEachDescentOnceAndStays) {
    const Instance inst = two_item_instance();
    Solution s(inst, {1, 0});
    CapturedOutput c;
    vnd(s, c.out());
    EXPECT_EQ(s.quantities(), (Quantities{1, 0}));
    EXPECT_EQ(s.objective(), 5);
    EXPECT_EQ(c.text(), block(k1, 5, 2) + block(k2, 5, 2) +
                            block("Melhor solucao encontrada pelo VND:\n", 5, 2) +
                            "Solucao Encontrada:\n [s]  |  [w] \n [1]  |  [2]\n [0]  |  [3]\n");
}

// What a shake says it did, made on what it started from; the lower item comes first.
Quantities as_said(Quantities start, const Shaken& shaken) {
    EXPECT_TRUE(shaken.count < 2 || shaken.changes[0].item < shaken.changes[1].item);
    for (int k = 0; k < shaken.count; ++k) {
        const Shaken::Change& change = shaken.changes[static_cast<std::size_t>(k)];
        start[static_cast<std::size_t>(change.item)] += change.delta;
    }
    return start;
}

TEST(Shakes, SingleDrawsDirectionThenItem) {
    const Instance inst = make_instance({1, 2, 3, 4}, {1, 1, 1, 1}, {3, 3, 3, 3}, 100);
    Rng rng(kSeed);
    Rng mirror(kSeed);
    for (int round = 0; round < 50; ++round) {
        Solution s(inst, {1, 1, 1, 1});
        const Shaken shaken = shake_single(s, rng);
        EXPECT_EQ(as_said({1, 1, 1, 1}, shaken), s.quantities());
        const std::int32_t d = mirror() % 2 == 0 ? -1 : +1;
        const auto i = static_cast<std::size_t>(mirror() % 4);
        Quantities expected{1, 1, 1, 1};
        expected[i] += d;
        EXPECT_EQ(s.quantities(), expected);
        EXPECT_TRUE(describes(s));
    }
}

TEST(Shakes, SingleAtALimitChangesNothing) {
    const Instance inst = make_instance({1}, {1}, {0}, 10);
    Rng rng(3);
    for (int round = 0; round < 10; ++round) {
        Solution s(inst, {0});
        EXPECT_EQ(shake_single(s, rng).count, 0);
        EXPECT_EQ(s.quantities(), Quantities{0});
        EXPECT_EQ(s.weight(), 0);
    }
}

TEST(Shakes, PairTakesAUnitFromBothOrNothing) {
    const Instance inst = make_instance({1, 1, 1}, {1, 1, 1}, {2, 2, 2}, 10);
    Rng rng(kSeed);
    Rng mirror(kSeed);
    for (int round = 0; round < 200; ++round) {
        const Quantities start{0, 1, 2};
        Solution s(inst, start);
        const Shaken shaken = shake_pair(s, rng);
        EXPECT_EQ(as_said(start, shaken), s.quantities());
        const auto a = static_cast<std::size_t>(mirror() % 3);
        auto b = static_cast<std::size_t>(mirror() % 3);
        while (b == a) {
            b = static_cast<std::size_t>(mirror() % 3);
        }
        Quantities expected = start;
        if (expected[a] > 0) {
            --expected[a];
            expected[b] = std::max(0, expected[b] - 1);
        }
        EXPECT_EQ(s.quantities(), expected) << a << ' ' << b;
        EXPECT_TRUE(describes(s));
    }
}

// With fewer than two items there is no pair: nothing is drawn or changed.
TEST(Shakes, PairNeedsTwoItems) {
    for (const Instance& inst : {make_instance({1}, {1}, {2}, 10), make_instance({}, {}, {}, 10)}) {
        Rng rng(kSeed);
        Solution s(inst, Quantities(inst.limits.size(), inst.item_count > 0 ? 1 : 0));
        const Quantities before = s.quantities();
        shake_pair(s, rng);
        EXPECT_EQ(s.quantities(), before);
        EXPECT_EQ(rng(), Rng(kSeed)());
    }
}

// A start as a shake makes it of the incumbent, with what the shake says it did.
struct Start {
    Solution solution;
    Shaken shaken;
};
Start shaken_start(const Solution& incumbent, std::initializer_list<Shaken::Change> changes) {
    Start start{incumbent, {}};
    for (const Shaken::Change& change : changes) {
        start.solution.change_quantity(change.item, change.delta);
        start.shaken.add(change.item, change.delta);
    }
    return start;
}

// The memo's output is vnd's, replayed or not; a replay shows in the start,
// which it leaves as it was, where a descent moves it.
TEST(TraceMemo, ReplaysOnlyShakesOfTheSameIncumbentThatDidNotBeatIt) {
    const Instance inst = make_instance({1, 1, 1}, {1, 1, 1}, {3, 3, 3}, 100);
    CapturedOutput memo_out;
    CapturedOutput plain_out;
    TraceMemo unbounded(memo_out.out());
    // Runs a start through a memo and through vnd; says whether it was replayed.
    const auto replayed = [&](const Solution& incumbent,
                              std::initializer_list<Shaken::Change> changes, TraceMemo& memo) {
        Start through_memo = shaken_start(incumbent, changes);
        const Quantities start = through_memo.solution.quantities();
        Solution plain = through_memo.solution;
        memo.vnd(incumbent, through_memo.solution, through_memo.shaken);
        vnd(plain, plain_out.out());
        EXPECT_EQ(memo_out.text(), plain_out.text());
        return through_memo.solution.quantities() == start && plain.quantities() != start;
    };
    const Solution incumbent(inst, {3, 3, 2});
    EXPECT_FALSE(replayed(incumbent, {{0, -1}}, unbounded));
    EXPECT_TRUE(replayed(incumbent, {{0, -1}}, unbounded)) << "kept: it reached F 8, no better";
    EXPECT_FALSE(replayed(incumbent, {{0, -1}, {2, +1}}, unbounded));
    EXPECT_FALSE(replayed(incumbent, {{2, +1}, {0, -1}}, unbounded))
        << "not kept: it beat the incumbent";
    const Solution better(inst, {3, 3, 3});
    EXPECT_FALSE(replayed(better, {{0, -1}}, unbounded)) << "the old incumbent's traces are stale";
    EXPECT_TRUE(replayed(better, {{0, -1}}, unbounded));
    EXPECT_FALSE(replayed(better, {{0, -1}, {1, -1}}, unbounded));
    EXPECT_TRUE(replayed(better, {{1, -1}, {0, -1}}, unbounded)) << "a pair in either order";
    // A memo whose cap one trace fills, exactly or all but a byte, keeps that
    // one and no other, until a new incumbent empties it.
    CapturedOutput one_trace;
    Solution first(inst, {2, 3, 3});
    vnd(first, one_trace.out());
    for (const std::size_t cap : {one_trace.text().size(), one_trace.text().size() + 1}) {
        TraceMemo capped(memo_out.out(), cap);
        EXPECT_FALSE(replayed(better, {{0, -1}}, capped));
        EXPECT_TRUE(replayed(better, {{0, -1}}, capped));
        EXPECT_FALSE(replayed(better, {{1, -1}}, capped));
        EXPECT_FALSE(replayed(better, {{1, -1}}, capped)) << "past the cap nothing is kept";
        EXPECT_FALSE(replayed(incumbent, {{0, -1}}, capped));
        EXPECT_TRUE(replayed(incumbent, {{0, -1}}, capped)) << "room again for a new incumbent";
    }
}

// The memo's own cap holds every start that the shakes make of a shipped-size
// incumbent (one unit more or less of an item, or one less of two): each one
// that its descent moved comes back replayed, left as it was. A small cap
// keeps no more traces than it holds. The incumbent here has units of every
// item, so that every pair of items makes a start, and it is the optimum, so
// that none of them beats it.
TEST(TraceMemo, KeepsTheStartsOfAShippedSizeIncumbent) {
    std::vector<std::int32_t> profits;
    for (int i = 0; i < kItemCount; ++i) {
        profits.push_back(1 + i % 7);
    }
    const Instance inst = make_instance(std::vector<std::int32_t>(kItemCount, 1), profits,
                                        std::vector<std::int32_t>(kItemCount, 2), kCapacity);
    const Solution incumbent(inst, Quantities(kItemCount, 2));
    std::vector<Start> starts;
    for (int a = 0; a < inst.item_count; ++a) {
        starts.push_back(shaken_start(incumbent, {{a, -1}}));
        for (int b = a + 1; b < inst.item_count; ++b) {
            starts.push_back(shaken_start(incumbent, {{a, -1}, {b, -1}}));
        }
    }
    constexpr std::size_t kSmallCap = std::size_t{128} << 10;
    for (const std::size_t cap : {TraceMemo::kMaxBytes, kSmallCap}) {
        CapturedOutput out;
        TraceMemo memo(out.out(), cap);
        std::vector<std::size_t> trace_sizes;
        std::vector<bool> moved;
        for (const Start& start : starts) {
            Solution first = start.solution;
            const std::size_t before = out.text().size();
            memo.vnd(incumbent, first, start.shaken);
            trace_sizes.push_back(out.text().size() - before);
            moved.push_back(first.quantities() != start.solution.quantities());
        }
        std::size_t kept = 0;
        std::size_t replayed = 0;
        std::size_t movable = 0;
        for (std::size_t k = 0; k < starts.size(); ++k) {
            Solution again = starts[k].solution;
            memo.vnd(incumbent, again, starts[k].shaken);
            if (moved[k]) {
                ++movable;
                if (again.quantities() == starts[k].solution.quantities()) {
                    ++replayed;
                    kept += trace_sizes[k];
                }
            }
        }
        ASSERT_GT(movable, 1000U) << "of " << starts.size();
        EXPECT_LE(kept, cap);
        if (cap == TraceMemo::kMaxBytes) {
            EXPECT_EQ(replayed, movable) << "every start of the incumbent is replayed";
        } else {
            EXPECT_LT(replayed, movable) << "a small cap cannot hold them all";
        }
    }
}

TEST(Vns, ZeroBudgetReportsTheIncomingSolutionWithoutDrawing) {
    const Instance inst = two_item_instance();
    Solution s(inst, {1, 1});
    Rng rng(kSeed);
    CapturedOutput c;
    vns(s, c.out(), rng, VnsStop::after_seconds(0.0));
    EXPECT_EQ(c.text(), kRule + "Melhor solucao encontrada pelo VNS em 0 segundos:\n" +
                            "Funcao objetivo: 1\nPeso da mochila: 5    Inviabilidade = 1 \n" +
                            kRule +
                            "Solucao Encontrada:\n [s]  |  [w] \n [1]  |  [2]\n [1]  |  [3]\n");
    EXPECT_EQ(s.quantities(), (Quantities{1, 1}));
    EXPECT_EQ(rng(), Rng(kSeed)());
}

TEST(Vns, ShortBudgetImprovesAndTitlesWithTheBudget) {
    const Instance inst = two_item_instance();
    Solution s(inst, {1, 2});
    Rng rng(kSeed);
    CapturedOutput c;
    // What the search says of its seconds is what its clock read, in seconds.
    // It never says more than the seconds the call took, bar the millisecond
    // its readings are truncated to.
    struct : VnsObserver {
        double latest = 0;
        double end = 0;
        void cycle_ended(const VnsProgress& at) override { latest = at.seconds; }
        void finished(const VnsProgress& at) override { end = at.seconds; }
    } clock;
    const auto called = std::chrono::steady_clock::now();
    vns(s, c.out(), rng, VnsStop::after_seconds(0.05), &clock);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - called;
    EXPECT_GE(clock.latest, 0.05);
    EXPECT_LE(clock.latest, took.count() + 0.001);
    EXPECT_EQ(clock.end, clock.latest) << "the end is told on the same clock";
    // The example's optimum is one unit of item 0 alone: F = 5.
    EXPECT_EQ(s.objective(), 5);
    EXPECT_EQ(s.quantities(), (Quantities{1, 0}));
    const std::string& text = c.text();
    EXPECT_NE(text.rfind("Melhor solucao encontrada pelo VNS em 0 segundos:\nFuncao objetivo: 5\n"),
              std::string::npos);
    EXPECT_GT(count_of(text, "Melhor solucao encontrada pelo VND:"), 2u);
}

} // namespace
} // namespace knapsack
