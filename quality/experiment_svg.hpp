#pragma once

#include "quality/experiment.hpp"

#include <string>
#include <vector>

namespace knapsack {

// The experiment as an SVG picture, a row of three plots per instance:
// - the gap to the optimum of each method's results, as box plots (quartiles,
//   median, whiskers to the extremes), on a logarithmic scale of 1 + gap;
// - the VNS's best gap over time, the median of the runs and the band between
//   their quartiles, seconds since the run began on a logarithmic scale;
// - the time-to-target plot: the share of the runs whose VNS had reached the
//   optimum by each time, a point per run that did.
// Self-contained: no font, style or script from elsewhere.
std::string experiment_svg(const std::vector<ExperimentInstance>& instances,
                           const std::vector<RunRecord>& records);

} // namespace knapsack
