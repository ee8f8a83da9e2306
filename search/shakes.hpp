#pragma once

#include "model/instance.hpp"
#include "model/random.hpp"

#include <array>
#include <cstdint>
#include <span>

namespace knapsack {

// What a shake did to the copy: at most two items, each changed by one unit.
// Two shakes with the same effect on the same incumbent give the same start.
struct ShakeEffect {
    struct Change {
        int item = 0;
        std::int32_t delta = 0;
    };
    std::array<Change, 2> changes{};
    int count = 0;

    void add(int item, std::int32_t delta) {
        if (delta != 0) {
            changes[static_cast<std::size_t>(count++)] = {item, delta};
        }
    }
    // One number per distinct start, whatever order the changes were made in.
    std::uint64_t key() const;
};

// Adds or removes one unit of one random item (direction drawn first, then the
// item), then evaluates the copy into cw and cf. Needs at least one item.
ShakeEffect shake_single(const Instance& instance, std::span<std::int32_t> copy, std::int32_t& cw,
                         std::int32_t& cf, Rng& rng);

// Draws two different items a and b; when a has a unit, both lose one (b only
// if it has one); when a is at 0 nothing changes. Then evaluates the copy.
// Needs at least two items: with fewer there is no pair and nothing is drawn.
ShakeEffect shake_pair(const Instance& instance, std::span<std::int32_t> copy, std::int32_t& cw,
                       std::int32_t& cf, Rng& rng);

} // namespace knapsack
