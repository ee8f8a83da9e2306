#pragma once

#include "model/instance.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace knapsack {

// The classic classes of knapsack instances, by how profits follow weights
// (Pisinger's definitions, data range R): weights uniform in 1..R, and
//   uncorrelated                 profits uniform in 1..R
//   weakly correlated            profits uniform in w - R/10 .. w + R/10, at least 1
//   strongly correlated          profit w + R/10
//   inverse strongly correlated  profits uniform in 1..R, weight p + R/10
//   almost strongly correlated   profits uniform in w + R/10 - R/500 .. w + R/10 + R/500
//   subset sum                   profit w
enum class InstanceClass {
    uncorrelated,
    weakly_correlated,
    strongly_correlated,
    inverse_strongly_correlated,
    almost_strongly_correlated,
    subset_sum,
};

inline constexpr std::array kInstanceClasses = {
    InstanceClass::uncorrelated,
    InstanceClass::weakly_correlated,
    InstanceClass::strongly_correlated,
    InstanceClass::inverse_strongly_correlated,
    InstanceClass::almost_strongly_correlated,
    InstanceClass::subset_sum,
};

// "uncorrelated", "weakly-correlated", ...: the names on the command line.
std::string_view class_name(InstanceClass instance_class);
std::optional<InstanceClass> class_named(std::string_view name);

// The program's 50 items and capacity 100, with R = 20 (the weights of the
// shipped instance) and limits uniform in 1..5, all in whole units: an
// inverse strongly correlated weight runs from 3 to 22. At R = 20 the almost
// strongly correlated class's R/500 is below one unit, so its profits take
// the smallest spread whole numbers allow, w + R/10 - 1 .. w + R/10 + 1. The
// same for a given seed on every platform.
Instance generate_class_instance(InstanceClass instance_class, std::uint32_t seed);

} // namespace knapsack
