#include "model/random.hpp"

#include <cstddef>
#include <cstdint>
#include <utility>

namespace knapsack {

// Every draw fits in 32 bits, which the cheaper remainder below relies on.
static_assert(Rng::max() <= UINT32_MAX);

std::int64_t random_below(Rng& rng, std::int64_t k) {
    if (k <= 0) {
        return 0;
    }
    const std::uint64_t draw = rng();
    // The same remainder, cheaper to take in 32 bits (in a browser above all),
    // which every bound the searches draw below fits in.
    if (k <= std::int64_t{UINT32_MAX}) {
        return static_cast<std::uint32_t>(draw) % static_cast<std::uint32_t>(k);
    }
    return static_cast<std::int64_t>(draw % static_cast<std::uint64_t>(k));
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
