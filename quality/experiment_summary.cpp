#include "quality/experiment_summary.hpp"

#include "quality/statistics.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace knapsack {

namespace {

// printf into a string; every text here is short.
template <typename... Args> std::string formatted(const char* format, Args... args) {
    std::array<char, 256> text{};
    const int n = std::snprintf(text.data(), text.size(), format, args...);
    return n < 0 ? std::string()
                 : std::string(text.data(),
                               std::min<std::size_t>(static_cast<std::size_t>(n), text.size() - 1));
}

// An objective or a median of them: whole where it is whole.
std::string number(double value) {
    return value == std::floor(value) ? formatted("%.0f", value) : formatted("%.1f", value);
}

std::string optional_number(const std::optional<double>& value, const char* format) {
    return value ? formatted(format, *value) : std::string("-");
}

// A CSV field, quoted when it holds a separator, a quote or a line break.
std::string csv_field(const std::string& text) {
    if (text.find_first_of(",\"\n\r") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

} // namespace

std::vector<MethodSummary> summarize(const std::vector<ExperimentInstance>& instances,
                                     const std::vector<RunRecord>& records) {
    std::vector<MethodSummary> summaries;
    for (std::size_t index = 0; index < instances.size(); ++index) {
        const auto optimum = static_cast<double>(instances[index].optimum);
        for (const Method method : kMethods) {
            std::vector<double> F;
            std::vector<double> gaps;
            std::vector<double> seconds;
            std::vector<double> cycles;
            for (const RunRecord& record : records) {
                if (record.instance != index) {
                    continue;
                }
                const MethodResult& result = record.of(method);
                F.push_back(static_cast<double>(result.F));
                if (const auto gap = gap_percent(optimum, F.back())) {
                    gaps.push_back(*gap);
                }
                if (result.F == instances[index].optimum) {
                    seconds.push_back(result.seconds_to_best);
                    cycles.push_back(static_cast<double>(result.cycles_to_best));
                }
            }
            MethodSummary summary;
            summary.instance = index;
            summary.method = method;
            summary.runs = F.size();
            summary.reached = seconds.size();
            if (!F.empty()) {
                summary.best = *std::max_element(F.begin(), F.end());
                summary.worst = *std::min_element(F.begin(), F.end());
                summary.median = median(F);
                summary.mean = mean(F);
                summary.sd = sample_sd(F);
            }
            if (!gaps.empty()) {
                summary.mean_gap = mean(gaps);
            }
            if (!seconds.empty()) {
                summary.median_seconds = median(seconds);
                summary.median_cycles = median(cycles);
            }
            summaries.push_back(summary);
        }
    }
    return summaries;
}

std::array<std::string, 10> summary_cells(const MethodSummary& s) {
    return {std::string(method_name(s.method)),
            number(s.best),
            number(s.median),
            formatted("%.2f", s.mean),
            number(s.worst),
            optional_number(s.sd, "%.2f"),
            optional_number(s.mean_gap, "%.2f"),
            formatted("%zu de %zu", s.reached, s.runs),
            optional_number(s.median_seconds, "%.4f"),
            optional_number(s.median_cycles, "%.0f")};
}

std::string experiment_table(const std::vector<ExperimentInstance>& instances,
                             const std::vector<MethodSummary>& summaries) {
    std::string table;
    const char* columns = "%-8s %12s %12s %14s %12s %12s %12s %11s %14s %10s\n";
    for (std::size_t index = 0; index < instances.size(); ++index) {
        const ExperimentInstance& instance = instances[index];
        if (index > 0) {
            table += '\n';
        }
        table += "instancia " + instance.name + " (" + instance.class_name + "), otimo " +
                 std::to_string(instance.optimum) + "\n";
        table += formatted(columns, "metodo", "melhor", "mediana", "media", "pior", "desvio",
                           "gap medio %", "atingiram", "s ate o otimo", "ciclos");
        for (const MethodSummary& s : summaries) {
            if (s.instance != index) {
                continue;
            }
            const std::array<std::string, 10> c = summary_cells(s);
            table += formatted(columns, c[0].c_str(), c[1].c_str(), c[2].c_str(), c[3].c_str(),
                               c[4].c_str(), c[5].c_str(), c[6].c_str(), c[7].c_str(), c[8].c_str(),
                               c[9].c_str());
        }
    }
    return table;
}

std::string experiment_csv(const std::vector<ExperimentInstance>& instances,
                           const std::vector<RunRecord>& records) {
    std::string csv = "instance,class,run,seed,method,F,optimum,gap_percent,reached_optimum,"
                      "seconds_to_best,cycles_to_best\n";
    for (const RunRecord& record : records) {
        const ExperimentInstance& instance = instances[record.instance];
        for (const Method method : kMethods) {
            const MethodResult& result = record.of(method);
            const auto gap =
                gap_percent(static_cast<double>(instance.optimum), static_cast<double>(result.F));
            csv += csv_field(instance.name) + ',' + csv_field(instance.class_name) + ',' +
                   std::to_string(record.run) + ',' + std::to_string(record.seed) + ',' +
                   std::string(method_name(method)) + ',' + std::to_string(result.F) + ',' +
                   std::to_string(instance.optimum) + ',' +
                   (gap ? formatted("%.6f", *gap) : std::string()) + ',' +
                   (result.F == instance.optimum ? "1" : "0") + ',' +
                   formatted("%.6f", result.seconds_to_best) + ',' +
                   std::to_string(result.cycles_to_best) + '\n';
        }
    }
    return csv;
}

} // namespace knapsack
