#include "quality/statistics.hpp"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace knapsack {

double median(std::span<const double> values) {
    std::vector<double> sorted(values.begin(), values.end());
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    return sorted.size() % 2 == 1 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

double mean(std::span<const double> values) {
    return std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
}

std::optional<double> sample_sd(std::span<const double> values) {
    if (values.size() < 2) {
        return std::nullopt;
    }
    const double centre = mean(values);
    const double squares =
        std::accumulate(values.begin(), values.end(), 0.0,
                        [&](double sum, double v) { return sum + (v - centre) * (v - centre); });
    return std::sqrt(squares / static_cast<double>(values.size() - 1));
}

double sorted_quantile(std::span<const double> sorted, double q) {
    const double at = q * static_cast<double>(sorted.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(at));
    const std::size_t above = std::min(below + 1, sorted.size() - 1);
    return sorted[below] + (at - static_cast<double>(below)) * (sorted[above] - sorted[below]);
}

std::optional<double> gap_percent(double optimum, double F) {
    if (optimum == 0) {
        return std::nullopt;
    }
    return 100 * (optimum - F) / std::abs(optimum);
}

} // namespace knapsack
