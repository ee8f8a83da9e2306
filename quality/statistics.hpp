#pragma once

#include <optional>
#include <span>

namespace knapsack {

// What studies of heuristics report of a sample of runs.

// The middle value; of an even count, the mean of the two middle ones. Needs
// at least one value.
double median(std::span<const double> values);

// The sample standard deviation (divided by n - 1); none below two values.
std::optional<double> sample_sd(std::span<const double> values);

double mean(std::span<const double> values);

// The q-quantile (0 <= q <= 1) of values sorted in increasing order,
// interpolated between the two nearest (the usual "type 7" definition).
double sorted_quantile(std::span<const double> sorted, double q);

// How far below the optimum F is, in per cent of it: 100 (optimum - F) /
// |optimum|; none when the optimum is 0.
std::optional<double> gap_percent(double optimum, double F);

} // namespace knapsack
