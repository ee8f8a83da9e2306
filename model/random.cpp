#include "model/random.hpp"

#include <cstddef>
#include <utility>

namespace knapsack {

std::int64_t random_below(Rng& rng, std::int64_t k) {
    if (k <= 0) {
        return 0;
    }
    return static_cast<std::int64_t>(rng()) % k;
}

Solution random_solution(Rng& rng, const Instance& instance) {
    Quantities quantities(instance.limits.size());
    for (std::size_t i = 0; i < quantities.size(); ++i) {
        // limit + 1 in 64 bits: a limit may be INT32_MAX.
        quantities[i] =
            static_cast<std::int32_t>(random_below(rng, std::int64_t{instance.limits[i]} + 1));
    }
    return {instance, std::move(quantities)};
}

} // namespace knapsack
