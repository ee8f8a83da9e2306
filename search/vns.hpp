#pragma once

#include "app/output.hpp"
#include "model/instance.hpp"
#include "model/random.hpp"

#include <cstdint>
#include <functional>
#include <limits>
#include <span>

namespace knapsack {

// A new incumbent found by the VNS, for callers that chart progress.
struct VnsImprovement {
    double seconds = 0.0;   // since the search started
    std::int64_t cycle = 0; // cycles of shake kinds completed before it
    std::int32_t F = 0;
    std::int32_t W = 0;
};

// When the search stops. The clock is read only between cycles of shake kinds,
// so a cycle in progress always finishes. A cycle limit makes a run
// reproducible, which a time budget cannot.
struct VnsStop {
    double time_budget = 0.0; // seconds; the final block's title shows it
    std::int64_t max_cycles = std::numeric_limits<std::int64_t>::max();
    std::function<void(const VnsImprovement&)> on_improvement = {};
};

// Variable neighbourhood search: shake a copy of the incumbent (one unit of one
// item, then one unit of two items), re-descend it with vnd, keep it when
// strictly better, until the stop rule holds. Replaces solution, W and F in
// place on every improvement. Prints every vnd trace, then its own block,
// "Solucao Encontrada:" and the solution table.
void vns(const Instance& instance, std::span<std::int32_t> solution, std::int32_t& W,
         std::int32_t& F, Output& out, Rng& rng, const VnsStop& stop);

// The menu's form: a time budget in seconds.
void vns(const Instance& instance, std::span<std::int32_t> solution, std::int32_t& W,
         std::int32_t& F, Output& out, Rng& rng, double time_budget);

} // namespace knapsack
