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

std::uint64_t code_of(ShakeEffect::Change change) {
    return static_cast<std::uint64_t>(change.item) * 2 + (change.delta > 0 ? 2 : 1);
}

} // namespace

std::uint64_t ShakeEffect::key() const {
    if (count == 0) {
        return 0;
    }
    std::uint64_t first = code_of(changes[0]);
    std::uint64_t second = count == 2 ? code_of(changes[1]) : 0;
    if (count == 2 && changes[1].item < changes[0].item) {
        std::swap(first, second);
    }
    return first << 32 | second;
}

ShakeEffect shake_single(const Instance& instance, std::span<std::int32_t> copy, std::int32_t& cw,
                         std::int32_t& cf, Rng& rng) {
    ShakeEffect effect;
    if (instance.item_count >= 1) {
        const std::int32_t direction = random_below(rng, 2) == 0 ? -1 : +1;
        const auto item = static_cast<int>(random_below(rng, instance.item_count));
        effect.add(item, change_quantity(copy, item, direction, instance.limits));
    }
    evaluate_into(instance, copy, cw, cf);
    return effect;
}

ShakeEffect shake_pair(const Instance& instance, std::span<std::int32_t> copy, std::int32_t& cw,
                       std::int32_t& cf, Rng& rng) {
    ShakeEffect effect;
    if (instance.item_count >= 2) {
        const auto a = static_cast<int>(random_below(rng, instance.item_count));
        auto b = static_cast<int>(random_below(rng, instance.item_count));
        while (b == a) {
            b = static_cast<int>(random_below(rng, instance.item_count));
        }
        const std::int32_t taken = change_quantity(copy, a, -1, instance.limits);
        effect.add(a, taken);
        // b gets the same signed change as a, not its opposite: both lose a unit.
        effect.add(b, change_quantity(copy, b, taken, instance.limits));
    }
    evaluate_into(instance, copy, cw, cf);
    return effect;
}

} // namespace knapsack
