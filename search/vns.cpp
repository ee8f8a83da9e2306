#include "search/vns.hpp"

#include "report/reports.hpp"
#include "search/shakes.hpp"
#include "search/trace_memo.hpp"

#include <chrono>

namespace knapsack {

namespace {

using Clock = std::chrono::steady_clock;

// A replayed cycle takes a fraction of a microsecond, and where the clock is a
// call into a browser's script it costs about as much as one, while ticking
// only every 0.1 ms there. So the clock is read once every so many cycles: the
// search stops, and its progress is told, a few microseconds late while the
// memo replays, and up to about a millisecond late right after an
// improvement, when every start is descended afresh.
constexpr std::int64_t kCyclesPerClockRead = 64;

std::int64_t clock_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(Clock::now().time_since_epoch()).count();
}

void print_vns_result(Output& out, const Solution& solution, const VnsStop& stop) {
    if (stop.limits_cycles()) {
        print_vns_cycles_block(out, stop.cycles(), solution);
    } else {
        print_vns_block(out, stop.seconds(), solution);
    }
    out.put(kFoundHeading);
    print_solution_table(out, solution);
}

// One cycle of shake kinds: shake a copy of the incumbent (one unit of one
// item, then one unit of two items), descend, keep it when strictly better,
// back to the first kind after every improvement; `improved` hears of each.
//
// Never inlined: a WebAssembly engine optimises a function only between its
// calls, never while one runs, and vns runs its loop in one call.
template <typename Improved>
[[gnu::noinline]] void shake_cycle(Solution& incumbent, Solution& copy, TraceMemo& descent,
                                   Rng& rng, const Improved& improved) {
    int k = 1;
    while (k == 1 || k == 2) {
        copy = incumbent;
        const Shaken shaken = k == 1 ? shake_single(copy, rng) : shake_pair(copy, rng);
        descent.vnd(incumbent, copy, shaken);
        if (copy.objective() > incumbent.objective()) {
            incumbent = copy;
            k = 1;
            improved();
        } else {
            ++k;
        }
    }
}

} // namespace

void vns(Solution& incumbent, Output& out, Rng& rng, const VnsStop& stop, VnsObserver* observer) {
    // Made once; the loop refills it from the incumbent before every shake.
    // cppcheck-suppress unreadVariable ; only the allocation is wanted here
    Solution copy = incumbent;
    // vnd, or the replay of a trace it printed before from the same start.
    TraceMemo descent(out);
    const auto started = Clock::now();
    const std::int64_t start = clock_ms();
    std::int64_t last = start;
    std::int64_t cycles = 0;
    if (observer != nullptr) {
        observer->started({0.0, 0, incumbent.objective()});
    }
    const auto improved = [&] {
        if (observer != nullptr) {
            const std::chrono::duration<double> elapsed = Clock::now() - started;
            observer->improved({elapsed.count(), cycles, incumbent.objective()});
        }
    };
    while (!stop.reached(last - start, cycles)) {
        shake_cycle(incumbent, copy, descent, rng, improved);
        ++cycles;
        if (cycles % kCyclesPerClockRead == 0) {
            last = clock_ms();
        }
        if (observer != nullptr) {
            observer->cycle_ended(
                {static_cast<double>(last - start) * 0.001, cycles, incumbent.objective()});
        }
    }
    if (observer != nullptr) {
        observer->finished(
            {static_cast<double>(last - start) * 0.001, cycles, incumbent.objective()});
    }
    print_vns_result(out, incumbent, stop);
}

} // namespace knapsack
