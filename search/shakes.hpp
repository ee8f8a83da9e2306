#pragma once

#include "model/random.hpp"
#include "model/solution.hpp"

#include <array>
#include <cstdint>

namespace knapsack {

// What a shake did to the copy it was given: at most two items, each changed
// by one unit, the lower item first; nothing when it changed nothing. The
// VNS's memo knows a start by it.
struct Shaken {
    struct Change {
        int item = 0;
        std::int32_t delta = 0; // +1 or -1
    };
    std::array<Change, 2> changes{};
    int count = 0;

    void add(int item, std::int32_t delta);
};

// Adds or removes one unit of one random item (direction drawn first, then the
// item); nothing changes when the item is at that bound. With no items nothing
// is drawn.
Shaken shake_single(Solution& copy, Rng& rng);

// Draws two different items a and b; when a has a unit, both lose one (b only
// if it has one); when a is at 0 nothing changes. With fewer than two items
// there is no pair and nothing is drawn.
Shaken shake_pair(Solution& copy, Rng& rng);

} // namespace knapsack
