#include "model/instance.hpp"

#include "model/evaluation.hpp"

#include <utility>

namespace knapsack {

Instance make_instance(std::vector<std::int32_t> weights, std::vector<std::int32_t> profits,
                       std::vector<std::int32_t> limits, std::int32_t capacity) {
    Instance instance;
    instance.item_count = static_cast<int>(weights.size());
    instance.capacity = capacity;
    instance.weights = std::move(weights);
    instance.profits = std::move(profits);
    instance.limits = std::move(limits);
    instance.penalty = max_total_weight(instance.weights, instance.limits);
    return instance;
}

} // namespace knapsack
