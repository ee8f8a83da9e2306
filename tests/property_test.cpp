// Invariants of every search on random instances and solutions, and agreement
// with the plain transcription in reference/ byte for byte.
#include "model/evaluation.hpp"
#include "model/random.hpp"
#include "quality/instance_generator.hpp"
#include "quality/starts.hpp"
#include "reference_search.hpp"
#include "reference_sink.hpp"
#include "search/descents.hpp"
#include "search/vnd.hpp"
#include "search/vns.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

namespace knapsack {
namespace {

using testing::CapturedOutput;
using testing::count_of;
using ReferenceText = reference::ReferenceSink;

// Small values on purpose: many equal gains, so tie-breaks are exercised.
Instance random_instance(std::uint32_t seed) {
    Rng rng(seed);
    const int n = 1 + static_cast<int>(random_below(rng, 12));
    std::vector<std::int32_t> w(static_cast<std::size_t>(n)), p(w.size()), l(w.size());
    for (std::size_t i = 0; i < w.size(); ++i) {
        w[i] = static_cast<std::int32_t>(random_below(rng, 6));
        p[i] = static_cast<std::int32_t>(random_below(rng, 9)) - 2;
        l[i] = static_cast<std::int32_t>(random_below(rng, 4));
    }
    return make_instance(w, p, l, static_cast<std::int32_t>(random_below(rng, 15)));
}

void expect_describes(const Instance& inst, const Start& s) {
    for (std::size_t i = 0; i < s.solution.size(); ++i) {
        ASSERT_GE(s.solution[i], 0);
        ASSERT_LE(s.solution[i], inst.limits[i]);
    }
    const Evaluation e = evaluate(inst, s.solution);
    EXPECT_EQ(s.W, e.weight);
    EXPECT_EQ(s.F, e.objective);
}

TEST(SearchProperties, DescentsKeepTheInvariantsAndReportOnce) {
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE(seed);
        const Instance inst = random_instance(seed);
        Rng rng(seed);
        for (int kind = 0; kind < 2; ++kind) {
            Start s = random_start(inst, rng);
            const std::int32_t before = s.F;
            CapturedOutput c;
            if (kind == 0) {
                descent_1opt(inst, s.solution, s.W, s.F, c.out(), 1.0);
            } else {
                descent_2opt(inst, s.solution, s.W, s.F, c.out());
            }
            EXPECT_GE(s.F, before);
            expect_describes(inst, s);
            EXPECT_EQ(count_of(c.text(), "Funcao objetivo"), 1u);
            // A local optimum comes back as it went in.
            const Start optimum = s;
            CapturedOutput again;
            if (kind == 0) {
                descent_1opt(inst, s.solution, s.W, s.F, again.out(), 1.0);
            } else {
                descent_2opt(inst, s.solution, s.W, s.F, again.out());
            }
            EXPECT_EQ(s.solution, optimum.solution);
            EXPECT_EQ(s.F, optimum.F);
        }
    }
}

TEST(SearchProperties, DescentsMatchTheReferenceByteForByte) {
    for (std::uint32_t seed = 1; seed <= 1500; ++seed) {
        SCOPED_TRACE(seed);
        const Instance inst = random_instance(seed);
        Rng rng(seed * 7919u);
        const double fraction = std::vector{1.0, 0.8, 0.5, 0.0}[seed % 4];
        for (int kind = 0; kind < 2; ++kind) {
            const Start start = random_start(inst, rng);
            Start fast = start;
            Start slow = start;
            CapturedOutput c;
            ReferenceText r;
            if (kind == 0) {
                descent_1opt(inst, fast.solution, fast.W, fast.F, c.out(), fraction);
                reference::descent_1opt(r.file(), inst, slow.solution.data(), slow.W, slow.F,
                                        fraction);
            } else {
                descent_2opt(inst, fast.solution, fast.W, fast.F, c.out());
                reference::descent_2opt(r.file(), inst, slow.solution.data(), slow.W, slow.F);
            }
            ASSERT_EQ(fast.solution, slow.solution);
            ASSERT_EQ(fast.W, slow.W);
            ASSERT_EQ(fast.F, slow.F);
            ASSERT_EQ(c.text(), r.text());
        }
    }
}

TEST(SearchProperties, VndMatchesTheReferenceAndNeverLowersF) {
    for (std::uint32_t seed = 1; seed <= 800; ++seed) {
        SCOPED_TRACE(seed);
        const Instance inst = seed % 5 == 0 ? generate_instance(seed) : random_instance(seed);
        Rng rng(seed);
        const Start start = random_start(inst, rng);
        Start fast = start;
        Start slow = start;
        CapturedOutput c;
        ReferenceText r;
        vnd(inst, fast.solution, fast.W, fast.F, c.out());
        reference::vnd(r.file(), inst, slow.solution.data(), slow.W, slow.F);
        ASSERT_EQ(c.text(), r.text());
        ASSERT_EQ(fast.solution, slow.solution);
        ASSERT_EQ(fast.F, slow.F);
        EXPECT_GE(fast.F, start.F);
        expect_describes(inst, fast);
    }
}

TEST(SearchProperties, VnsCyclesMatchTheReferenceAndKeepTheIncumbentExact) {
    for (std::uint32_t seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(seed);
        const Instance inst = seed % 3 == 0 ? generate_instance(seed) : random_instance(seed);
        if (inst.item_count < 2) {
            continue;
        }
        Rng draw(seed);
        const Start start = random_start(inst, draw);
        Start fast = start;
        Start slow = start;
        Rng fast_rng(seed);
        Rng slow_rng(seed);
        const long long cycles = 1 + seed * 3;
        struct : VnsObserver {
            std::int32_t last_F;
            void improved(const VnsProgress& found) override {
                EXPECT_GT(found.F, last_F);
                last_F = found.F;
            }
        } rising;
        rising.last_F = start.F;
        CapturedOutput c;
        ReferenceText r;
        vns(inst, fast.solution, fast.W, fast.F, c.out(), fast_rng, VnsStop::after_cycles(cycles),
            &rising);
        reference::vns(r.file(), inst, slow.solution.data(), slow.W, slow.F, slow_rng, 0.0, cycles);
        ASSERT_EQ(c.text(), r.text());
        ASSERT_EQ(fast.solution, slow.solution);
        EXPECT_EQ(fast_rng(), slow_rng()) << "the same number of draws";
        EXPECT_EQ(rising.last_F, fast.F);
        expect_describes(inst, fast);
    }
}

} // namespace
} // namespace knapsack
