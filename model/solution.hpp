#pragma once

#include "model/evaluation.hpp"
#include "model/instance.hpp"

#include <cstddef>
#include <cstdint>

namespace knapsack {

// A solution under search: the quantity of every item, with the running totals
// (weight and profit) from which its W, infeasibility and F are read. The totals
// are summed over every item once, when the solution is made; after that the
// quantities change only through change_quantity, which shifts the totals in
// O(1), so W and F always describe the quantities.
//
// It refers to its instance, which must outlive it.
class Solution {
  public:
    Solution(const Instance& instance, Quantities quantities);

    const Instance& instance() const { return *instance_; }
    const Quantities& quantities() const { return quantities_; }
    std::int32_t quantity(int item) const { return quantities_[static_cast<std::size_t>(item)]; }
    Totals totals() const { return totals_; }

    // W: the total weight.
    std::int32_t weight() const { return static_cast<std::int32_t>(totals_.weight); }
    std::int32_t infeasibility() const {
        return knapsack::infeasibility(weight(), instance_->capacity);
    }
    // F: the penalised objective.
    std::int32_t objective() const {
        return static_cast<std::int32_t>(objective_of(*instance_, totals_));
    }

    // The clamped change of one item's quantity (the free change_quantity),
    // returning what that returns, with the totals following the change.
    std::int32_t change_quantity(int item, std::int32_t delta);

  private:
    const Instance* instance_;
    Quantities quantities_;
    Totals totals_;
};

} // namespace knapsack
