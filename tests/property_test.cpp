// Invariants of every search on random instances and solutions, and agreement
// with the plain transcription in reference/ byte for byte.
#include "loose_solution.hpp"
#include "model/random.hpp"
#include "quality/instance_generator.hpp"
#include "reference_search.hpp"
#include "reference_sink.hpp"
#include "search/descents.hpp"
#include "search/vnd.hpp"
#include "search/vns.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>

namespace knapsack {
namespace {

using reference::LooseSolution;
using testing::CapturedOutput;
using testing::count_of;
using testing::expect_describes;
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

// The fast search's result is the reference's, solution, W and F alike.
void expect_same(const Solution& fast, const LooseSolution& slow) {
    ASSERT_EQ(fast.quantities(), slow.quantities);
    ASSERT_EQ(fast.weight(), slow.W);
    ASSERT_EQ(fast.objective(), slow.F);
}

TEST(SearchProperties, DescentsKeepTheInvariantsAndReportOnce) {
    for (std::uint32_t seed = 1; seed <= 400; ++seed) {
        SCOPED_TRACE(seed);
        const Instance inst = random_instance(seed);
        Rng rng(seed);
        for (int kind = 0; kind < 2; ++kind) {
            Solution s = random_solution(rng, inst);
            const std::int32_t before = s.objective();
            CapturedOutput c;
            if (kind == 0) {
                descent_1opt(s, c.out(), 1.0);
            } else {
                descent_2opt(s, c.out());
            }
            EXPECT_GE(s.objective(), before);
            expect_describes(s);
            EXPECT_EQ(count_of(c.text(), "Funcao objetivo"), 1u);
            // A local optimum comes back as it went in.
            const Solution optimum = s;
            CapturedOutput again;
            if (kind == 0) {
                descent_1opt(s, again.out(), 1.0);
            } else {
                descent_2opt(s, again.out());
            }
            EXPECT_EQ(s.quantities(), optimum.quantities());
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
            Solution fast = random_solution(rng, inst);
            LooseSolution slow(fast);
            CapturedOutput c;
            ReferenceText r;
            if (kind == 0) {
                descent_1opt(fast, c.out(), fraction);
                reference::descent_1opt(r.file(), inst, slow.quantities.data(), slow.W, slow.F,
                                        fraction);
            } else {
                descent_2opt(fast, c.out());
                reference::descent_2opt(r.file(), inst, slow.quantities.data(), slow.W, slow.F);
            }
            expect_same(fast, slow);
            ASSERT_EQ(c.text(), r.text());
        }
    }
}

TEST(SearchProperties, VndMatchesTheReferenceAndNeverLowersF) {
    for (std::uint32_t seed = 1; seed <= 800; ++seed) {
        SCOPED_TRACE(seed);
        const Instance inst = seed % 5 == 0 ? generate_instance(seed) : random_instance(seed);
        Rng rng(seed);
        Solution fast = random_solution(rng, inst);
        const std::int32_t before = fast.objective();
        LooseSolution slow(fast);
        CapturedOutput c;
        ReferenceText r;
        vnd(fast, c.out());
        reference::vnd(r.file(), inst, slow.quantities.data(), slow.W, slow.F);
        ASSERT_EQ(c.text(), r.text());
        expect_same(fast, slow);
        EXPECT_GE(fast.objective(), before);
        expect_describes(fast);
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
        Solution fast = random_solution(draw, inst);
        LooseSolution slow(fast);
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
        rising.last_F = fast.objective();
        CapturedOutput c;
        ReferenceText r;
        vns(fast, c.out(), fast_rng, VnsStop::after_cycles(cycles), &rising);
        reference::vns(r.file(), inst, slow.quantities.data(), slow.W, slow.F, slow_rng, 0.0,
                       cycles);
        ASSERT_EQ(c.text(), r.text());
        expect_same(fast, slow);
        EXPECT_EQ(fast_rng(), slow_rng()) << "the same number of draws";
        EXPECT_EQ(rising.last_F, fast.objective());
        expect_describes(fast);
    }
}

} // namespace
} // namespace knapsack
