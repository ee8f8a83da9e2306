#include "model/moves.hpp"

#include <cstddef>

namespace knapsack {

std::int32_t change_quantity(std::span<std::int32_t> quantities, int i, std::int32_t delta,
                             std::span<const std::int32_t> limits) {
    const auto item = static_cast<std::size_t>(i);
    std::int32_t& quantity = quantities[item];
    // In 64 bits: an item may be allowed up to INT32_MAX units.
    const std::int64_t wanted = std::int64_t{quantity} + delta;
    if (delta > 0) {
        if (wanted > limits[item]) {
            quantity = limits[item];
            return 0;
        }
    } else if (wanted < 0) {
        const std::int32_t removed = -quantity;
        quantity = 0;
        return removed;
    }
    quantity = static_cast<std::int32_t>(wanted);
    return delta;
}

} // namespace knapsack
