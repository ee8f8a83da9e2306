#pragma once

#include "model/solution.hpp"

#include <cstdint>

namespace knapsack::reference {

// A solution as the plain transcription passes it around: loose quantities,
// with the W and F that the caller keeps true of them.
struct LooseSolution {
    explicit LooseSolution(const Solution& s)
        : quantities(s.quantities()), W(s.weight()), F(s.objective()) {}

    Quantities quantities;
    std::int32_t W;
    std::int32_t F;
};

} // namespace knapsack::reference
