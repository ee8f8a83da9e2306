#include "search/descents.hpp"

#include "app/reports.hpp"
#include "model/evaluation.hpp"
#include "model/moves.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace knapsack {

namespace {

// Every trial move is judged from the running totals in O(1); applying a move
// updates them the same way. Only the entry totals are summed over the items.
std::int64_t gain_of(const Instance& instance, Totals trial, std::int32_t F) {
    return objective_of(instance, trial) - F;
}

} // namespace

int scan_length(int item_count, double scan_fraction) {
    const double share = static_cast<double>(item_count) * scan_fraction;
    if (!(share > 0.0)) {
        return 0;
    }
    return share >= item_count ? item_count : static_cast<int>(share);
}

void descent_1opt(const Instance& instance, std::span<std::int32_t> solution, std::int32_t& W,
                  std::int32_t& F, Output& out, double scan_fraction) {
    const int m = scan_length(instance.item_count, scan_fraction);
    Totals totals = totals_of(instance, solution);
    // Each trial leaves W describing the solution, so W is exact once anything is scanned.
    if (m > 0) {
        W = static_cast<std::int32_t>(totals.weight);
    }
    for (;;) {
        std::int64_t best_gain = 0;
        int best_item = -1;
        std::int32_t best_change = 0;
        // Additions first, then removals: on equal gains an addition wins, and
        // a lower item wins within each kind, because only a strictly greater
        // gain replaces the recorded move.
        for (int i = 0; i < m; ++i) {
            const auto item = static_cast<std::size_t>(i);
            if (solution[item] < instance.limits[item]) {
                const std::int64_t gain = gain_of(instance, moved(instance, totals, i, +1), F);
                if (gain > best_gain) {
                    best_gain = gain;
                    best_item = i;
                    best_change = +1;
                }
            }
        }
        for (int i = 0; i < m; ++i) {
            if (solution[static_cast<std::size_t>(i)] > 0) {
                const std::int64_t gain = gain_of(instance, moved(instance, totals, i, -1), F);
                if (gain > best_gain) {
                    best_gain = gain;
                    best_item = i;
                    best_change = -1;
                }
            }
        }
        if (best_gain <= 0) {
            break;
        }
        F = static_cast<std::int32_t>(F + best_gain);
        change_quantity(solution, best_item, best_change, instance.limits);
        totals = moved(instance, totals, best_item, best_change);
        W = static_cast<std::int32_t>(totals.weight);
    }
    print_result_block(out, kDescent1Title, F, W, instance.capacity);
}

void descent_2opt(const Instance& instance, std::span<std::int32_t> solution, std::int32_t& W,
                  std::int32_t& F, Output& out) {
    const int n = instance.item_count;
    Totals totals = totals_of(instance, solution);
    // W is recomputed whenever some item below the last can give a unit.
    if (std::any_of(solution.begin(), solution.end() - std::min<std::ptrdiff_t>(n, 1),
                    [](std::int32_t q) { return q > 0; })) {
        W = static_cast<std::int32_t>(totals.weight);
    }
    for (;;) {
        std::int64_t best_gain = -std::numeric_limits<std::int32_t>::max();
        int best_from = -1;
        int best_to = -1;
        // The first pair in loop order wins among equal gains.
        for (int i = 0; i + 1 < n; ++i) {
            if (solution[static_cast<std::size_t>(i)] == 0) {
                continue;
            }
            const Totals given = moved(instance, totals, i, -1);
            for (int j = i + 1; j < n; ++j) {
                const auto to = static_cast<std::size_t>(j);
                if (solution[to] >= instance.limits[to]) {
                    continue;
                }
                const std::int64_t gain = gain_of(instance, moved(instance, given, j, +1), F);
                if (gain > best_gain) {
                    best_gain = gain;
                    best_from = i;
                    best_to = j;
                }
            }
        }
        if (best_gain <= 0) {
            break;
        }
        F = static_cast<std::int32_t>(F + best_gain);
        change_quantity(solution, best_from, -1, instance.limits);
        change_quantity(solution, best_to, +1, instance.limits);
        totals = moved(instance, moved(instance, totals, best_from, -1), best_to, +1);
        W = static_cast<std::int32_t>(totals.weight);
    }
    print_result_block(out, kDescent2Title, F, W, instance.capacity);
}

} // namespace knapsack
