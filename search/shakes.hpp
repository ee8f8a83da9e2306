#pragma once

#include "model/instance.hpp"
#include "model/random.hpp"

#include <cstdint>
#include <span>

namespace knapsack {

// Adds or removes one unit of one random item (direction drawn first, then the
// item; nothing changes when the item is at that bound), then evaluates the
// copy into cw and cf. With no items nothing is drawn.
void shake_single(const Instance& instance, std::span<std::int32_t> copy, std::int32_t& cw,
                  std::int32_t& cf, Rng& rng);

// Draws two different items a and b; when a has a unit, both lose one (b only
// if it has one); when a is at 0 nothing changes. Then evaluates the copy.
// With fewer than two items there is no pair and nothing is drawn.
void shake_pair(const Instance& instance, std::span<std::int32_t> copy, std::int32_t& cw,
                std::int32_t& cf, Rng& rng);

} // namespace knapsack
