#include "search/shakes.hpp"

#include "model/evaluation.hpp"
#include "model/moves.hpp"

namespace knapsack {

namespace {

void evaluate_into(const Instance& instance, std::span<const std::int32_t> copy, std::int32_t& cw,
                   std::int32_t& cf) {
    const Evaluation e = evaluate(instance, copy);
    cw = e.weight;
    cf = e.objective;
}

int random_item(const Instance& instance, Rng& rng) {
    return static_cast<int>(random_below(rng, instance.item_count));
}

} // namespace

void shake_single(const Instance& instance, std::span<std::int32_t> copy, std::int32_t& cw,
                  std::int32_t& cf, Rng& rng) {
    if (instance.item_count >= 1) {
        const bool add = random_below(rng, 2) != 0;
        const int item = random_item(instance, rng);
        if (add) {
            apply_if_allowed(AddUnit{item}, instance, copy);
        } else {
            apply_if_allowed(RemoveUnit{item}, instance, copy);
        }
    }
    evaluate_into(instance, copy, cw, cf);
}

void shake_pair(const Instance& instance, std::span<std::int32_t> copy, std::int32_t& cw,
                std::int32_t& cf, Rng& rng) {
    if (instance.item_count >= 2) {
        const int a = random_item(instance, rng);
        int b = random_item(instance, rng);
        while (b == a) {
            b = random_item(instance, rng);
        }
        // b follows a, not the other way round: both lose a unit.
        if (apply_if_allowed(RemoveUnit{a}, instance, copy)) {
            apply_if_allowed(RemoveUnit{b}, instance, copy);
        }
    }
    evaluate_into(instance, copy, cw, cf);
}

} // namespace knapsack
