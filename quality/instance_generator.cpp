#include "quality/instance_generator.hpp"

#include "model/random.hpp"

#include <algorithm>

namespace knapsack {

Instance generate_instance(std::uint32_t seed, const GeneratorSettings& settings) {
    Rng rng(seed);
    const auto count = static_cast<std::size_t>(std::max(settings.item_count, 0));
    std::vector<std::int32_t> weights(count);
    std::vector<std::int32_t> profits(count);
    std::vector<std::int32_t> limits(count);
    // Drawn with random_below, not std distributions, whose results differ
    // between standard libraries.
    auto draw = [&rng](std::int32_t low, std::int32_t high) {
        return static_cast<std::int32_t>(low + random_below(rng, std::int64_t{high} - low + 1));
    };
    const std::int32_t spread = std::max(1, settings.max_profit / 6);
    for (std::size_t i = 0; i < count; ++i) {
        weights[i] = draw(1, settings.max_weight);
        profits[i] = std::clamp(2 * weights[i] + draw(-spread, spread), 1, settings.max_profit);
        limits[i] = draw(0, settings.max_limit);
    }
    return make_instance(std::move(weights), std::move(profits), std::move(limits),
                         settings.capacity);
}

} // namespace knapsack
