#pragma once

#include "model/evaluation.hpp"
#include "model/instance.hpp"
#include "model/solution.hpp"

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
// Solution::change_quantity applies it, and every move below goes through that.
std::int32_t change_quantity(std::span<std::int32_t> quantities, int i, std::int32_t delta,
                             std::span<const std::int32_t> limits);

// The three moves of the searches' neighbourhoods. Each says whether it can be
// made on a solution (the one rule for it, which the scans and the shakes
// use), what it does to a solution's running totals (so its gain is known in
// O(1) before it is made), and makes it.

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

    bool allowed(const Solution& s) const {
        return s.quantity(item) < s.instance().limits[static_cast<std::size_t>(item)];
    }
    constexpr Totals after(const Instance& instance, Totals totals) const {
        return detail::shifted(instance, totals, item, +1);
    }
    void apply(Solution& s) const { s.change_quantity(item, +1); }
};

// One unit less of an item that has one.
struct RemoveUnit {
    int item;

    bool allowed(const Solution& s) const { return s.quantity(item) > 0; }
    constexpr Totals after(const Instance& instance, Totals totals) const {
        return detail::shifted(instance, totals, item, -1);
    }
    void apply(Solution& s) const { s.change_quantity(item, -1); }
};

// One unit taken from an item and given to an item with a higher number; the
// other direction is not a move of this neighbourhood. A transfer is a removal
// followed by an addition, legal when both are. Its rule and its effect come
// in halves, giving and receiving, because that is how a scan takes them: the
// giving half once per giving item, the receiving half for each higher item.
struct TransferUnit {
    int from;
    int to;

    static bool can_give(const Solution& s, int item) { return RemoveUnit{item}.allowed(s); }
    static bool can_receive(const Solution& s, int item) { return AddUnit{item}.allowed(s); }
    static constexpr Totals after_giving(const Instance& instance, Totals totals, int item) {
        return RemoveUnit{item}.after(instance, totals);
    }
    static constexpr Totals after_receiving(const Instance& instance, Totals given, int item) {
        return AddUnit{item}.after(instance, given);
    }

    void apply(Solution& s) const {
        RemoveUnit{from}.apply(s);
        AddUnit{to}.apply(s);
    }
};

// Makes the move when it can be made; says whether it did.
template <typename Move> bool apply_if_allowed(const Move& move, Solution& s) {
    if (!move.allowed(s)) {
        return false;
    }
    move.apply(s);
    return true;
}

} // namespace knapsack
