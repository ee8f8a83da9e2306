#pragma once

#include "model/evaluation.hpp"
#include "model/instance.hpp"

#include <cstddef>
#include <cstdint>
#include <span>

namespace knapsack {

// Adds `delta` units to item i, clamped to 0..limits[i]:
// - delta > 0 within the limit adds it and returns delta; past the limit it
//   sets the limit and returns 0 (even when some units were added);
// - delta <= 0 that stays at or above 0 adds it and returns delta; below 0 it
//   sets 0 and returns the negated former quantity.
// So +1 at the limit, -1 at 0 and a delta of 0 change nothing and return 0.
// Every move below applies itself through it.
std::int32_t change_quantity(std::span<std::int32_t> solution, int i, std::int32_t delta,
                             std::span<const std::int32_t> limits);

// The three moves of the searches' neighbourhoods. Each says whether it can be
// made on a solution, what it does to the solution's running totals (so its
// gain is known in O(1)), and makes it.

namespace detail {
constexpr Totals shifted(const Instance& instance, Totals totals, int item, std::int64_t units) {
    const auto i = static_cast<std::size_t>(item);
    return {totals.weight + units * instance.weights[i],
            totals.profit + units * instance.profits[i]};
}
} // namespace detail

// One more unit of an item that is below its limit.
struct AddUnit {
    int item;

    bool allowed(const Instance& instance, std::span<const std::int32_t> solution) const {
        const auto i = static_cast<std::size_t>(item);
        return solution[i] < instance.limits[i];
    }
    constexpr Totals after(const Instance& instance, Totals totals) const {
        return detail::shifted(instance, totals, item, +1);
    }
    void apply(const Instance& instance, std::span<std::int32_t> solution) const {
        change_quantity(solution, item, +1, instance.limits);
    }
};

// One unit less of an item that has one.
struct RemoveUnit {
    int item;

    bool allowed(const Instance&, std::span<const std::int32_t> solution) const {
        return solution[static_cast<std::size_t>(item)] > 0;
    }
    constexpr Totals after(const Instance& instance, Totals totals) const {
        return detail::shifted(instance, totals, item, -1);
    }
    void apply(const Instance& instance, std::span<std::int32_t> solution) const {
        change_quantity(solution, item, -1, instance.limits);
    }
};

// One unit taken from an item and given to an item with a higher number; the
// other direction is not a move of this neighbourhood.
struct TransferUnit {
    int from;
    int to;

    bool allowed(const Instance& instance, std::span<const std::int32_t> solution) const {
        return from < to && RemoveUnit{from}.allowed(instance, solution) &&
               AddUnit{to}.allowed(instance, solution);
    }
    constexpr Totals after(const Instance& instance, Totals totals) const {
        return AddUnit{to}.after(instance, RemoveUnit{from}.after(instance, totals));
    }
    void apply(const Instance& instance, std::span<std::int32_t> solution) const {
        RemoveUnit{from}.apply(instance, solution);
        AddUnit{to}.apply(instance, solution);
    }
};

// Makes the move when it can be made; says whether it did.
template <typename Move>
bool apply_if_allowed(const Move& move, const Instance& instance,
                      std::span<std::int32_t> solution) {
    if (!move.allowed(instance, solution)) {
        return false;
    }
    move.apply(instance, solution);
    return true;
}

} // namespace knapsack
