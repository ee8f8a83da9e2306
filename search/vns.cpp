#include "search/vns.hpp"

#include "app/reports.hpp"
#include "search/shakes.hpp"
#include "search/vnd.hpp"

#include <algorithm>
#include <chrono>
#include <string>
#include <unordered_map>

namespace knapsack {

namespace {

std::int64_t clock_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// vnd draws nothing, so its trace is a function of its start alone; and while
// the incumbent stands, every start is the incumbent changed by one shake,
// of which there are only a few thousand. So the trace of a start that did not
// improve is kept and replayed instead of descending again. Only starts that
// did not improve are kept, so a hit never changes the incumbent.
class TraceMemo {
  public:
    const std::string* find(std::uint64_t key) const {
        const auto it = traces_.find(key);
        return it == traces_.end() ? nullptr : &it->second;
    }
    void keep(std::uint64_t key, std::string trace) {
        if (bytes_ + trace.size() <= kMaxBytes) {
            bytes_ += trace.size();
            traces_.emplace(key, std::move(trace));
        }
    }
    // A new incumbent makes every kept start stale.
    void forget() {
        traces_.clear();
        bytes_ = 0;
    }

  private:
    // Bounds the memory of large instances; beyond it, starts are descended afresh.
    static constexpr std::size_t kMaxBytes = std::size_t{64} << 20;
    std::unordered_map<std::uint64_t, std::string> traces_;
    std::size_t bytes_ = 0;
};

// Makes sure a tap does not outlive a vnd call that throws.
class Tap {
  public:
    Tap(Output& out, std::string& copy) : out_(out) { out_.start_tap(copy); }
    ~Tap() { out_.abandon_tap(); }
    Tap(const Tap&) = delete;
    Tap& operator=(const Tap&) = delete;
    void stop() { out_.stop_tap(); }

  private:
    Output& out_;
};

} // namespace

void vns(const Instance& instance, std::span<std::int32_t> solution, std::int32_t& W,
         std::int32_t& F, Output& out, Rng& rng, const VnsStop& stop) {
    Solution copy(solution.size());
    TraceMemo memo;
    const auto started = std::chrono::steady_clock::now();
    const std::int64_t start = clock_ms();
    std::int64_t last = start;
    std::int64_t cycles = 0;
    while (static_cast<double>(last - start) * 0.001 < stop.time_budget &&
           cycles < stop.max_cycles) {
        int k = 1;
        while (k == 1 || k == 2) {
            std::copy(solution.begin(), solution.end(), copy.begin());
            std::int32_t cw = W;
            std::int32_t cf = F;
            const ShakeEffect effect = k == 1 ? shake_single(instance, copy, cw, cf, rng)
                                              : shake_pair(instance, copy, cw, cf, rng);
            const std::uint64_t key = effect.key();
            if (const std::string* trace = memo.find(key)) {
                out.put(*trace);
                ++k;
                continue;
            }
            std::string trace;
            {
                Tap tap(out, trace);
                vnd(instance, copy, cw, cf, out);
                tap.stop();
            }
            if (F < cf) {
                std::copy(copy.begin(), copy.end(), solution.begin());
                F = cf;
                W = cw;
                k = 1;
                memo.forget();
                if (stop.on_improvement) {
                    const std::chrono::duration<double> elapsed =
                        std::chrono::steady_clock::now() - started;
                    stop.on_improvement({elapsed.count(), cycles, F, W});
                }
            } else {
                memo.keep(key, std::move(trace));
                ++k;
            }
        }
        last = clock_ms();
        ++cycles;
    }
    print_vns_block(out, stop.time_budget, F, W, instance.capacity);
    out.put(kFoundHeading);
    print_solution_table(out, solution, instance.weights);
}

void vns(const Instance& instance, std::span<std::int32_t> solution, std::int32_t& W,
         std::int32_t& F, Output& out, Rng& rng, double time_budget) {
    vns(instance, solution, W, F, out, rng, VnsStop{time_budget});
}

} // namespace knapsack
