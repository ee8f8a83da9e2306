#pragma once

#include "model/random.hpp"
#include "model/solution.hpp"

namespace knapsack {

// Adds or removes one unit of one random item (direction drawn first, then the
// item); nothing changes when the item is at that bound. With no items nothing
// is drawn.
void shake_single(Solution& copy, Rng& rng);

// Draws two different items a and b; when a has a unit, both lose one (b only
// if it has one); when a is at 0 nothing changes. With fewer than two items
// there is no pair and nothing is drawn.
void shake_pair(Solution& copy, Rng& rng);

} // namespace knapsack
