#include "quality/exact_optimum.hpp"

#include <algorithm>
#include <vector>

namespace knapsack {

namespace {

struct Bundle {
    std::size_t item;
    std::int32_t units;
};

std::vector<Bundle> bundles_of(const Instance& instance) {
    std::vector<Bundle> bundles;
    for (std::size_t i = 0; i < instance.limits.size(); ++i) {
        if (instance.profits[i] <= 0) {
            continue;
        }
        std::int64_t left = instance.limits[i];
        for (std::int64_t units = 1; left > 0; units *= 2) {
            const std::int64_t taken = std::min(units, left);
            bundles.push_back({i, static_cast<std::int32_t>(taken)});
            left -= taken;
        }
    }
    return bundles;
}

} // namespace

Optimum exact_optimum(const Instance& instance) {
    Optimum optimum;
    optimum.quantities.assign(instance.limits.size(), 0);
    if (instance.capacity < 0) {
        return optimum;
    }
    const auto capacity = static_cast<std::size_t>(instance.capacity);
    const std::vector<Bundle> bundles = bundles_of(instance);
    // best[c]: the largest profit within weight c; taken[b][c]: whether bundle
    // b is in that best choice, for walking the choice back afterwards.
    std::vector<std::int64_t> best(capacity + 1, 0);
    std::vector<std::vector<bool>> taken(bundles.size(), std::vector<bool>(capacity + 1, false));
    for (std::size_t b = 0; b < bundles.size(); ++b) {
        const std::int64_t weight =
            std::int64_t{instance.weights[bundles[b].item]} * bundles[b].units;
        const std::int64_t profit =
            std::int64_t{instance.profits[bundles[b].item]} * bundles[b].units;
        if (weight > instance.capacity) {
            continue;
        }
        const auto w = static_cast<std::size_t>(weight);
        for (std::size_t c = capacity + 1; c-- > w;) {
            if (best[c - w] + profit > best[c]) {
                best[c] = best[c - w] + profit;
                taken[b][c] = true;
            }
        }
    }
    optimum.profit = best[capacity];
    std::size_t c = capacity;
    for (std::size_t b = bundles.size(); b-- > 0;) {
        if (taken[b][c]) {
            optimum.quantities[bundles[b].item] += bundles[b].units;
            c -= static_cast<std::size_t>(instance.weights[bundles[b].item]) *
                 static_cast<std::size_t>(bundles[b].units);
        }
    }
    return optimum;
}

} // namespace knapsack
