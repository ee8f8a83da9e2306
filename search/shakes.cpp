#include "search/shakes.hpp"

#include "model/moves.hpp"

#include <utility>

namespace knapsack {

namespace {

int random_item(const Solution& s, Rng& rng) {
    return static_cast<int>(random_below(rng, s.instance().item_count));
}

} // namespace

void Shaken::add(int item, std::int32_t delta) {
    changes[static_cast<std::size_t>(count)] = {item, delta};
    if (++count == 2 && changes[1].item < changes[0].item) {
        std::swap(changes[0], changes[1]);
    }
}

Shaken shake_single(Solution& copy, Rng& rng) {
    Shaken shaken;
    if (copy.instance().item_count < 1) {
        return shaken;
    }
    const bool add = random_below(rng, 2) != 0;
    const int item = random_item(copy, rng);
    if (add ? apply_if_allowed(AddUnit{item}, copy) : apply_if_allowed(RemoveUnit{item}, copy)) {
        shaken.add(item, add ? +1 : -1);
    }
    return shaken;
}

Shaken shake_pair(Solution& copy, Rng& rng) {
    Shaken shaken;
    if (copy.instance().item_count < 2) {
        return shaken;
    }
    const int a = random_item(copy, rng);
    int b = random_item(copy, rng);
    while (b == a) {
        b = random_item(copy, rng);
    }
    // b follows a, not the other way round: both lose a unit.
    if (apply_if_allowed(RemoveUnit{a}, copy)) {
        shaken.add(a, -1);
        if (apply_if_allowed(RemoveUnit{b}, copy)) {
            shaken.add(b, -1);
        }
    }
    return shaken;
}

} // namespace knapsack
