#include "search/vns.hpp"

#include "report/reports.hpp"
#include "search/shakes.hpp"
#include "search/trace_memo.hpp"
#include "search/vnd.hpp"

#include <algorithm>
#include <chrono>

namespace knapsack {

namespace {

using Clock = std::chrono::steady_clock;

std::int64_t clock_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(Clock::now().time_since_epoch()).count();
}

void print_vns_result(Output& out, const Instance& instance, std::span<const std::int32_t> solution,
                      std::int32_t W, std::int32_t F, const VnsStop& stop) {
    if (stop.limits_cycles()) {
        print_vns_cycles_block(out, stop.cycles(), F, W, instance.capacity);
    } else {
        print_vns_block(out, stop.seconds(), F, W, instance.capacity);
    }
    out.put(kFoundHeading);
    print_solution_table(out, solution, instance.weights);
}

} // namespace

void vns(const Instance& instance, std::span<std::int32_t> solution, std::int32_t& W,
         std::int32_t& F, Output& out, Rng& rng, const VnsStop& stop, VnsObserver* observer) {
    Solution copy(solution.size());
    TraceMemo memo(out);
    const auto started = Clock::now();
    const std::int64_t start = clock_ms();
    std::int64_t last = start;
    std::int64_t cycles = 0;
    while (!stop.reached(last - start, cycles)) {
        int k = 1;
        while (k == 1 || k == 2) {
            std::copy(solution.begin(), solution.end(), copy.begin());
            std::int32_t cw = W;
            std::int32_t cf = F;
            if (k == 1) {
                shake_single(instance, copy, cw, cf, rng);
            } else {
                shake_pair(instance, copy, cw, cf, rng);
            }
            if (memo.replay(solution, copy)) {
                ++k;
                continue;
            }
            vnd(instance, copy, cw, cf, memo.recorder());
            if (F < cf) {
                memo.forget();
                std::copy(copy.begin(), copy.end(), solution.begin());
                F = cf;
                W = cw;
                k = 1;
                if (observer != nullptr) {
                    const std::chrono::duration<double> elapsed = Clock::now() - started;
                    observer->improved({elapsed.count(), cycles, F});
                }
            } else {
                memo.keep();
                ++k;
            }
        }
        last = clock_ms();
        ++cycles;
        if (observer != nullptr) {
            observer->cycle_ended({static_cast<double>(last - start) * 0.001, cycles, F});
        }
    }
    if (observer != nullptr) {
        observer->finished({static_cast<double>(last - start) * 0.001, cycles, F});
    }
    print_vns_result(out, instance, solution, W, F, stop);
}

} // namespace knapsack
