#include "quality/exact_optimum.hpp"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace knapsack {

namespace {

struct Bundle {
    std::size_t item;
    std::int64_t units;
    std::int64_t weight;
    std::int64_t profit;
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
            bundles.push_back({i, taken, taken * instance.weights[i], taken * instance.profits[i]});
            left -= taken;
        }
    }
    return bundles;
}

constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::min();

// How the overfull state came to be what it is after a bundle.
enum class Over : std::int8_t { kept, with_bundle, entered };

} // namespace

Optimum exact_optimum(const Instance& instance) {
    const std::vector<Bundle> bundles = bundles_of(instance);
    const std::int64_t capacity = instance.capacity;
    const std::int64_t penalty = instance.penalty;
    const std::size_t states = capacity >= 0 ? static_cast<std::size_t>(capacity) + 1 : 0;

    // fits[w]: the best profit of weight exactly w <= capacity (kNone: none);
    // over: the best profit - penalty * weight of a load past the capacity.
    std::vector<std::int64_t> fits(states, kNone);
    std::int64_t over = kNone;
    (states > 0 ? fits[0] : over) = 0;
    // For walking the choice back: whether bundle b is in fits[w], and how
    // the overfull state was reached after bundle b (from which weight, if entered).
    std::vector<std::vector<bool>> taken(bundles.size(), std::vector<bool>(states, false));
    std::vector<Over> over_how(bundles.size(), Over::kept);
    std::vector<std::size_t> over_from(bundles.size(), 0);

    for (std::size_t b = 0; b < bundles.size(); ++b) {
        const Bundle& bundle = bundles[b];
        // The overfull state first, from the states as they were before this bundle.
        if (over != kNone && over + bundle.profit - penalty * bundle.weight > over) {
            over += bundle.profit - penalty * bundle.weight;
            over_how[b] = Over::with_bundle;
        }
        for (std::size_t w = 0; w < states; ++w) {
            const std::int64_t heavier = static_cast<std::int64_t>(w) + bundle.weight;
            if (fits[w] == kNone || heavier <= capacity) {
                continue;
            }
            const std::int64_t entering = fits[w] + bundle.profit - penalty * heavier;
            if (over == kNone || entering > over) {
                over = entering;
                over_how[b] = Over::entered;
                over_from[b] = w;
            }
        }
        if (bundle.weight > capacity) {
            continue;
        }
        const auto bw = static_cast<std::size_t>(bundle.weight);
        for (std::size_t w = states; w-- > bw;) {
            if (fits[w - bw] != kNone && fits[w - bw] + bundle.profit > fits[w]) {
                fits[w] = fits[w - bw] + bundle.profit;
                taken[b][w] = true;
            }
        }
    }

    Optimum optimum;
    optimum.quantities.assign(instance.limits.size(), 0);
    std::optional<std::size_t> weight; // the state walked back; empty while overfull
    std::int64_t best = kNone;
    for (std::size_t w = 0; w < states; ++w) {
        if (fits[w] > best) {
            best = fits[w];
            weight = w;
        }
    }
    optimum.feasible_profit = best == kNone ? 0 : best;
    if (over != kNone && over + penalty * capacity > best) {
        best = over + penalty * capacity;
        weight.reset();
    }
    optimum.objective = best;
    for (std::size_t b = bundles.size(); b-- > 0;) {
        const Bundle& bundle = bundles[b];
        bool in = false;
        if (weight) {
            in = taken[b][*weight];
            if (in) {
                *weight -= static_cast<std::size_t>(bundle.weight);
            }
        } else if (over_how[b] != Over::kept) {
            in = true;
            if (over_how[b] == Over::entered) {
                weight = over_from[b];
            }
        }
        if (in) {
            optimum.quantities[bundle.item] += static_cast<std::int32_t>(bundle.units);
        }
    }
    return optimum;
}

} // namespace knapsack
