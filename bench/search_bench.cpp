// Microbenchmarks of the searches on the shipped instance, as the generator makes it.
// Argument 0: trace discarded; 1: trace formatted into memory. The reference_*
// cases run the plain transcription (full recomputation, fprintf) for the ratio.
#include "loose_solution.hpp"
#include "quality/instance_generator.hpp"
#include "quality/starts.hpp"
#include "reference_search.hpp"
#include "reference_sink.hpp"
#include "search/descents.hpp"
#include "search/vnd.hpp"
#include "search/vns.hpp"

#include <benchmark/benchmark.h>
#include <string>

namespace knapsack {
namespace {

const Instance& instance() {
    static const Instance shipped_size = generate_instance(kShippedInstanceSeed);
    return shipped_size;
}

// The sink a benchmark writes to: discarding, or keeping the text in memory.
class Sink {
  public:
    explicit Sink(std::int64_t into_memory)
        : out_(into_memory != 0 ? Output::Drain([this](std::string_view c) { keep(c); })
                                : Output::Drain([](std::string_view) {})) {}
    Output& out() { return out_; }

  private:
    void keep(std::string_view chunk) {
        // Reuses one buffer, so the benchmark measures formatting, not growth.
        text_.assign(chunk);
        benchmark::DoNotOptimize(text_.data());
    }
    std::string text_;
    Output out_;
};

// The reference's sink, /dev/null or memory reused past 16 MiB.
using reference::ReferenceSink;
constexpr std::size_t kReusedPast = std::size_t{1} << 24;

// Runs `search` once per iteration on a copy of the next start of the pool.
template <typename Search>
void repeat_over(benchmark::State& state, const std::vector<Solution>& starts, Search search) {
    std::size_t next = 0;
    for (auto _ : state) {
        Solution s = starts[next++ % starts.size()];
        search(s);
        benchmark::DoNotOptimize(s);
    }
}

// A VND local optimum: the descents then make exactly one pass.
std::vector<Solution> one_optimum() {
    return {local_optimum(random_starts(instance(), 1, kSeed)[0])};
}

void BM_descent_1opt_one_pass(benchmark::State& state) {
    Sink sink(state.range(0));
    repeat_over(state, one_optimum(),
                [&](Solution& s) { descent_1opt(s, sink.out(), kScanFraction); });
}
BENCHMARK(BM_descent_1opt_one_pass)->Arg(0)->Arg(1);

void BM_descent_2opt_one_pass(benchmark::State& state) {
    Sink sink(state.range(0));
    repeat_over(state, one_optimum(), [&](Solution& s) { descent_2opt(s, sink.out()); });
}
BENCHMARK(BM_descent_2opt_one_pass)->Arg(0)->Arg(1);

void BM_reference_descent_2opt_one_pass(benchmark::State& state) {
    ReferenceSink sink(state.range(0) != 0);
    repeat_over(state, one_optimum(), [&](const Solution& s) {
        reference::LooseSolution l(s);
        reference::descent_2opt(sink.reused_past(kReusedPast), instance(), l.quantities.data(), l.W,
                                l.F);
    });
}
BENCHMARK(BM_reference_descent_2opt_one_pass)->Arg(0);

// One vnd call from a random start, cycling through a pool of starts.
void BM_vnd_from_random_start(benchmark::State& state) {
    Sink sink(state.range(0));
    repeat_over(state, random_starts(instance(), 64, kSeed),
                [&](Solution& s) { vnd(s, sink.out()); });
}
BENCHMARK(BM_vnd_from_random_start)->Arg(0)->Arg(1);

void BM_reference_vnd_from_random_start(benchmark::State& state) {
    ReferenceSink sink(state.range(0) != 0);
    repeat_over(state, random_starts(instance(), 64, kSeed), [&](const Solution& s) {
        reference::LooseSolution l(s);
        reference::vnd(sink.reused_past(kReusedPast), instance(), l.quantities.data(), l.W, l.F);
    });
}
BENCHMARK(BM_reference_vnd_from_random_start)->Arg(0)->Arg(1);

// VNS cycles from a VND local optimum, as after menu options 1 and 2, with the
// generator seeded afresh each time; items per second are cycles per second.
constexpr std::int64_t kCycles = 2000;

void BM_vns_cycles(benchmark::State& state) {
    Sink sink(state.range(0));
    repeat_over(state, one_optimum(), [&](Solution& s) {
        Rng rng(kSeed);
        vns(s, sink.out(), rng, VnsStop::after_cycles(kCycles));
    });
    state.SetItemsProcessed(state.iterations() * kCycles);
}
BENCHMARK(BM_vns_cycles)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_reference_vns_cycles(benchmark::State& state) {
    ReferenceSink sink(state.range(0) != 0);
    repeat_over(state, one_optimum(), [&](const Solution& s) {
        Rng rng(kSeed);
        reference::LooseSolution l(s);
        reference::vns(sink.reused_past(kReusedPast), instance(), l.quantities.data(), l.W, l.F,
                       rng, 0.0, kCycles);
    });
    state.SetItemsProcessed(state.iterations() * kCycles);
}
BENCHMARK(BM_reference_vns_cycles)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace knapsack
