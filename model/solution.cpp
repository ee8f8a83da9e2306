#include "model/solution.hpp"

#include "model/moves.hpp"

#include <utility>

namespace knapsack {

Solution::Solution(const Instance& instance, Quantities quantities)
    : instance_(&instance), quantities_(std::move(quantities)),
      totals_(totals_of(instance, quantities_)) {}

std::int32_t Solution::change_quantity(int item, std::int32_t delta) {
    const auto i = static_cast<std::size_t>(item);
    const std::int64_t before = quantities_[i];
    const std::int32_t result =
        knapsack::change_quantity(quantities_, item, delta, instance_->limits);
    // The units really moved, not the result: an addition that overshoots the
    // limit fills up to it yet returns 0.
    const std::int64_t moved = quantities_[i] - before;
    totals_.weight += moved * instance_->weights[i];
    totals_.profit += moved * instance_->profits[i];
    return result;
}

} // namespace knapsack
