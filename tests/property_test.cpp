// Invariants of every search on generated instances and solutions, and
// agreement with the plain transcription in reference/ byte for byte, trace
// included. RapidCheck shrinks a failing case to a small instance and
// solution before it reports it; RC_PARAMS="seed=N" repeats a run.
#include "loose_solution.hpp"
#include "reference_search.hpp"
#include "reference_sink.hpp"
#include "search/descents.hpp"
#include "search/vnd.hpp"
#include "search/vns.hpp"
#include "test_support.hpp"

#include <gtest/gtest.h>
#include <ostream>
#include <rapidcheck/gtest.h>
#include <tuple>

namespace knapsack {

// A generated instance and a solution of it to start from.
struct Case {
    Instance instance;
    Quantities start;
};

void showValue(const Case& c, std::ostream& os) {
    os << "weights " << rc::toString(c.instance.weights) << " profits "
       << rc::toString(c.instance.profits) << " limits " << rc::toString(c.instance.limits)
       << " capacity " << c.instance.capacity << " start " << rc::toString(c.start);
}

} // namespace knapsack

template <> struct rc::Arbitrary<knapsack::Case> {
    // Items with profits of either sign and start quantities within their
    // limits: small values, so that equal gains and tie-breaks are common, or
    // up to the shipped instance's size and ranges, over the whole of each
    // range from the first case on. Either shrinks to few items.
    static Gen<knapsack::Case> arbitrary() {
        const auto cases = [](int most, int weights, int low, int high, int limits,
                              Gen<int> capacity) {
            const auto item = gen::mapcat(gen::inRange(0, limits), [=](int limit) {
                return gen::tuple(gen::inRange(0, weights), gen::inRange(low, high),
                                  gen::just(limit), gen::inRange(0, limit + 1));
            });
            const auto items = gen::mapcat(gen::inRange(1, most + 1), [=](int n) {
                return gen::container<std::vector<std::tuple<int, int, int, int>>>(
                    static_cast<std::size_t>(n), item);
            });
            return gen::apply(
                [](const std::vector<std::tuple<int, int, int, int>>& all, int c) {
                    std::vector<std::int32_t> w, p, l, q;
                    for (const auto& [weight, profit, limit, quantity] : all) {
                        w.push_back(weight), p.push_back(profit), l.push_back(limit);
                        q.push_back(quantity);
                    }
                    return knapsack::Case{knapsack::make_instance(w, p, l, c), q};
                },
                items, capacity);
        };
        return gen::resize(100, gen::weightedOneOf<knapsack::Case>(
                                    {{3, cases(12, 6, -2, 7, 4, gen::inRange(0, 15))},
                                     {1, cases(50, 21, -10, 51, 6, gen::just(100))}}));
    }
};

namespace knapsack {
namespace {

using reference::LooseSolution;
using testing::CapturedOutput;
using testing::describes;

// The fast search's result is the reference's: solution, W, F and every byte
// printed; and it describes its quantities.
void assert_same(const Solution& fast, CapturedOutput& fast_text, const LooseSolution& slow,
                 reference::ReferenceSink& slow_text) {
    RC_ASSERT(fast_text.text() == slow_text.text());
    RC_ASSERT(fast.quantities() == slow.quantities);
    RC_ASSERT(fast.weight() == slow.W);
    RC_ASSERT(fast.objective() == slow.F);
    RC_ASSERT(describes(fast));
}

RC_GTEST_PROP(SearchProperties, DescentsMatchTheReferenceAndStopAtALocalOptimum,
              (const Case& c, bool one_unit)) {
    const double fraction = *rc::gen::element(1.0, 0.8, 0.5, 0.0);
    const auto descend = [&](Solution& s, Output& out) {
        one_unit ? descent_1opt(s, out, fraction) : descent_2opt(s, out);
    };
    Solution fast(c.instance, c.start);
    LooseSolution slow(fast);
    CapturedOutput fast_text;
    reference::ReferenceSink slow_text;
    descend(fast, fast_text.out());
    if (one_unit) {
        reference::descent_1opt(slow_text.file(), c.instance, slow.quantities.data(), slow.W,
                                slow.F, fraction);
    } else {
        reference::descent_2opt(slow_text.file(), c.instance, slow.quantities.data(), slow.W,
                                slow.F);
    }
    assert_same(fast, fast_text, slow, slow_text);
    RC_ASSERT(fast.objective() >= Solution(c.instance, c.start).objective());
    const Solution optimum = fast;
    descend(fast, fast_text.out());
    RC_ASSERT(fast.quantities() == optimum.quantities());
}

RC_GTEST_PROP(SearchProperties, VndMatchesTheReferenceAndNeverLowersF, (const Case& c)) {
    Solution fast(c.instance, c.start);
    LooseSolution slow(fast);
    CapturedOutput fast_text;
    reference::ReferenceSink slow_text;
    vnd(fast, fast_text.out());
    reference::vnd(slow_text.file(), c.instance, slow.quantities.data(), slow.W, slow.F);
    assert_same(fast, fast_text, slow, slow_text);
    RC_ASSERT(fast.objective() >= Solution(c.instance, c.start).objective());
}

RC_GTEST_PROP(SearchProperties, VnsMatchesTheReferenceAndOnlyEverRaisesF,
              (const Case& c, std::uint32_t seed)) {
    RC_PRE(c.start.size() >= 2U); // a pair shake needs two items
    const auto cycles = *rc::gen::inRange<long long>(1, 120);
    Solution fast(c.instance, c.start);
    LooseSolution slow(fast);
    Rng fast_rng(seed);
    Rng slow_rng(seed);
    struct Rising : VnsObserver {
        std::int32_t last_F = 0;
        bool rose = true;
        void improved(const VnsProgress& found) override {
            rose = rose && found.F > last_F;
            last_F = found.F;
        }
    } rising;
    rising.last_F = fast.objective();
    CapturedOutput fast_text;
    reference::ReferenceSink slow_text;
    vns(fast, fast_text.out(), fast_rng, VnsStop::after_cycles(cycles), &rising);
    reference::vns(slow_text.file(), c.instance, slow.quantities.data(), slow.W, slow.F, slow_rng,
                   0.0, cycles);
    assert_same(fast, fast_text, slow, slow_text);
    RC_ASSERT(fast_rng() == slow_rng()); // the same number of draws
    RC_ASSERT(rising.rose && rising.last_F == fast.objective());
}

} // namespace
} // namespace knapsack
