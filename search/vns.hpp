#pragma once

#include "model/random.hpp"
#include "model/solution.hpp"
#include "report/output.hpp"

#include <cstdint>

namespace knapsack {

// Seconds the menu's VNS option runs for.
inline constexpr double kVnsBudgetSeconds = 20.0;

// When the search stops. The stop is checked only between cycles of shake
// kinds, so a cycle in progress always finishes.
class VnsStop {
  public:
    // The menu's rule: stop once `seconds` have passed, read on a millisecond
    // clock between cycles, and only every 64 of them (see vns.cpp): up to
    // about a millisecond late when the search has just improved.
    static VnsStop after_seconds(double seconds) { return VnsStop(seconds, -1); }
    // Stop after a number of cycles: the same run on every machine, as tests,
    // benchmarks and the quality report need.
    static VnsStop after_cycles(std::int64_t cycles) { return VnsStop(0.0, cycles); }

    bool limits_cycles() const { return cycles_ >= 0; }
    double seconds() const { return seconds_; }
    std::int64_t cycles() const { return cycles_; }

    bool reached(std::int64_t elapsed_ms, std::int64_t cycles_done) const {
        if (limits_cycles()) {
            return cycles_done >= cycles_;
        }
        return !(static_cast<double>(elapsed_ms) * 0.001 < seconds_);
    }

  private:
    VnsStop(double seconds, std::int64_t cycles) : seconds_(seconds), cycles_(cycles) {}
    double seconds_;
    std::int64_t cycles_;
};

// Where a running search stands.
struct VnsProgress {
    double seconds = 0.0;    // since the search started
    std::int64_t cycles = 0; // cycles of shake kinds completed
    std::int32_t F = 0;      // the incumbent's objective
};

// Follows a search as it runs, for callers that chart or show its progress.
class VnsObserver {
  public:
    VnsObserver() = default;
    VnsObserver(const VnsObserver&) = default;
    VnsObserver& operator=(const VnsObserver&) = default;
    VnsObserver(VnsObserver&&) = default;
    VnsObserver& operator=(VnsObserver&&) = default;
    virtual ~VnsObserver() = default;
    // The search begins from an incumbent of objective `F`.
    virtual void started(const VnsProgress&) {}
    // A strictly better incumbent was found; `seconds` is exact to the clock's resolution.
    virtual void improved(const VnsProgress&) {}
    // A cycle ended; `seconds` is the millisecond reading the stop is checked on.
    virtual void cycle_ended(const VnsProgress&) {}
    // The search is over; its final block comes next.
    virtual void finished(const VnsProgress&) {}
};

// Variable neighbourhood search: shake a copy of the incumbent (one unit of one
// item, then one unit of two items), re-descend it with vnd, keep it when
// strictly better, until the stop holds. The solution given is the incumbent,
// replaced in place on every improvement. Prints every vnd trace, then its own
// block (titled with the budget or the cycle limit it was given), "Solucao
// Encontrada:" and the solution table.
void vns(Solution& solution, Output& out, Rng& rng, const VnsStop& stop,
         VnsObserver* observer = nullptr);

} // namespace knapsack
