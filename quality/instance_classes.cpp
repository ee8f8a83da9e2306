#include "quality/instance_classes.hpp"

#include "model/random.hpp"

#include <algorithm>
#include <array>
#include <vector>

namespace knapsack {

namespace {

constexpr std::array<std::string_view, std::size(kInstanceClasses)> kNames = {
    "uncorrelated",
    "weakly-correlated",
    "strongly-correlated",
    "inverse-strongly-correlated",
    "almost-strongly-correlated",
    "subset-sum",
};

constexpr std::int32_t kRange = 20;    // R
constexpr std::int32_t kMostUnits = 5; // limits in 1..5
constexpr std::int32_t kTenth = kRange / 10;
// R/500 is below one unit at this R: the smallest spread whole numbers allow.
constexpr std::int32_t kAlmost = 1;

} // namespace

std::string_view class_name(InstanceClass instance_class) {
    return kNames[static_cast<std::size_t>(instance_class)];
}

std::optional<InstanceClass> class_named(std::string_view name) {
    const auto* found = std::find(kNames.begin(), kNames.end(), name);
    if (found == kNames.end()) {
        return std::nullopt;
    }
    return kInstanceClasses[static_cast<std::size_t>(found - kNames.begin())];
}

Instance generate_class_instance(InstanceClass instance_class, std::uint32_t seed) {
    Rng rng(seed);
    // random_below, not std distributions, whose results differ between
    // standard libraries.
    auto draw = [&rng](std::int32_t low, std::int32_t high) {
        return static_cast<std::int32_t>(low + random_below(rng, std::int64_t{high} - low + 1));
    };
    std::vector<std::int32_t> weights(kItemCount);
    std::vector<std::int32_t> profits(kItemCount);
    std::vector<std::int32_t> limits(kItemCount);
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (instance_class == InstanceClass::inverse_strongly_correlated) {
            profits[i] = draw(1, kRange);
            weights[i] = profits[i] + kTenth;
        } else {
            weights[i] = draw(1, kRange);
            const std::int32_t w = weights[i];
            switch (instance_class) {
            case InstanceClass::uncorrelated:
                profits[i] = draw(1, kRange);
                break;
            case InstanceClass::weakly_correlated:
                profits[i] = std::max(1, draw(w - kTenth, w + kTenth));
                break;
            case InstanceClass::strongly_correlated:
                profits[i] = w + kTenth;
                break;
            case InstanceClass::almost_strongly_correlated:
                profits[i] = draw(w + kTenth - kAlmost, w + kTenth + kAlmost);
                break;
            case InstanceClass::subset_sum:
            case InstanceClass::inverse_strongly_correlated:
                profits[i] = w;
                break;
            }
        }
        limits[i] = draw(1, kMostUnits);
    }
    return make_instance(std::move(weights), std::move(profits), std::move(limits), kCapacity);
}

} // namespace knapsack
