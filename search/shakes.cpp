#include "search/shakes.hpp"

#include "model/moves.hpp"

namespace knapsack {

namespace {

int random_item(const Solution& s, Rng& rng) {
    return static_cast<int>(random_below(rng, s.instance().item_count));
}

} // namespace

void shake_single(Solution& copy, Rng& rng) {
    if (copy.instance().item_count < 1) {
        return;
    }
    const bool add = random_below(rng, 2) != 0;
    const int item = random_item(copy, rng);
    if (add) {
        apply_if_allowed(AddUnit{item}, copy);
    } else {
        apply_if_allowed(RemoveUnit{item}, copy);
    }
}

void shake_pair(Solution& copy, Rng& rng) {
    if (copy.instance().item_count < 2) {
        return;
    }
    const int a = random_item(copy, rng);
    int b = random_item(copy, rng);
    while (b == a) {
        b = random_item(copy, rng);
    }
    // b follows a, not the other way round: both lose a unit.
    if (apply_if_allowed(RemoveUnit{a}, copy)) {
        apply_if_allowed(RemoveUnit{b}, copy);
    }
}

} // namespace knapsack
