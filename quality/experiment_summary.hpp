#pragma once

#include "quality/experiment.hpp"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace knapsack {

// What an experiment's runs say of one method on one instance: the
// distribution of the objective F, its mean gap to the optimum, how many runs
// reached the optimum and how soon. The table on standard output and the
// page's table are these rows.
struct MethodSummary {
    std::size_t instance = 0;
    Method method = Method::random;
    std::size_t runs = 0;
    double best = 0;
    double median = 0;
    double mean = 0;
    double worst = 0;
    std::optional<double> sd;             // none for a single run
    std::optional<double> mean_gap;       // in per cent; none when the optimum is 0
    std::size_t reached = 0;              // runs that ended at the optimum
    std::optional<double> median_seconds; // to reach it, among those that did
    std::optional<double> median_cycles;
};

// One row per instance and method, in the instances' order, then random, VND, VNS.
std::vector<MethodSummary> summarize(const std::vector<ExperimentInstance>& instances,
                                     const std::vector<RunRecord>& records);

// A summary's cells as the table shows them: the method, the best, median,
// mean and worst F, the standard deviation, the mean gap in per cent, "k de n"
// runs that reached the optimum, and the median seconds and cycles they took;
// "-" where there is nothing to show.
std::array<std::string, 10> summary_cells(const MethodSummary& summary);

// The table printed on standard output: per instance, its optimum, then a
// line for each method.
std::string experiment_table(const std::vector<ExperimentInstance>& instances,
                             const std::vector<MethodSummary>& summaries);

// One row per run and method (tidy data), with a header:
// instance,class,run,seed,method,F,optimum,gap_percent,reached_optimum,seconds_to_best,cycles_to_best
std::string experiment_csv(const std::vector<ExperimentInstance>& instances,
                           const std::vector<RunRecord>& records);

} // namespace knapsack
