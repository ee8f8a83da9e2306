#include "model/random.hpp"

#include <cstddef>

namespace knapsack {

std::int64_t random_below(Rng& rng, std::int64_t k) {
    if (k <= 0) {
        return 0;
    }
    return static_cast<std::int64_t>(rng()) % k;
}

void random_solution(Rng& rng, std::span<std::int32_t> solution,
                     std::span<const std::int32_t> limits) {
    for (std::size_t i = 0; i < solution.size(); ++i) {
        // limits[i] + 1 in 64 bits: a limit may be INT32_MAX.
        solution[i] = static_cast<std::int32_t>(random_below(rng, std::int64_t{limits[i]} + 1));
    }
}

} // namespace knapsack
