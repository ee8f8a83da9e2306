// The page's experiments: the same runs and statistics as knapsack-experiment,
// called by web/site/experiment_worker.js in Web Workers of their own. A run
// worker loads the instance it was given (by the program's loader) and makes
// runs; a report worker turns the runs' records, gathered by the page, into
// the table, the CSV and the plots. Between them, a record travels as numbers.
#include "model/loader.hpp"
#include "quality/experiment.hpp"
#include "quality/experiment_summary.hpp"
#include "quality/experiment_svg.hpp"

#include <algorithm>
#include <cstddef>
#include <emscripten.h>
#include <optional>
#include <span>
#include <string>
#include <vector>

// clang-format off
EM_JS(void, js_experiment_refused, (const char* message), {
    Module.experimentRefused(UTF8ToString(message));
});

EM_JS(void, js_experiment_record, (const double* numbers, int count), {
    Module.experimentRecord(HEAPF64.slice(numbers >> 3, (numbers >> 3) + count));
});

EM_JS(void, js_experiment_report, (double optimum, const char* cells, const char* csv,
                                   const char* svg), {
    Module.experimentReport({
        optimum: optimum,
        cells: UTF8ToString(cells),
        csv: UTF8ToString(csv),
        svg: UTF8ToString(svg),
    });
});
// clang-format on

namespace knapsack {
namespace {

// The working directory's instance, loaded once per worker.
std::optional<std::vector<ExperimentInstance>> loaded;

const std::vector<ExperimentInstance>* instance() {
    if (!loaded) {
        try {
            loaded = std::vector<ExperimentInstance>{
                experiment_instance("atual", "data", load_instance())};
        } catch (const LoadError& error) {
            js_experiment_refused(error.what());
            return nullptr;
        }
    }
    return &*loaded;
}

// run, seed, then F, seconds and cycles of each method, the run's seconds,
// the count of the VNS's improvements and each one's seconds and F.
std::vector<double> encoded(const RunRecord& record) {
    std::vector<double> numbers{static_cast<double>(record.run), static_cast<double>(record.seed)};
    for (const MethodResult& result : record.methods) {
        numbers.insert(numbers.end(), {static_cast<double>(result.F), result.seconds_to_best,
                                       static_cast<double>(result.cycles_to_best)});
    }
    numbers.push_back(record.seconds);
    numbers.push_back(static_cast<double>(record.improvements.size()));
    for (const Improvement& found : record.improvements) {
        numbers.insert(numbers.end(), {found.seconds, static_cast<double>(found.F)});
    }
    return numbers;
}

// The records one after another, as encoded() lays each out.
std::vector<RunRecord> decoded(std::span<const double> numbers) {
    std::vector<RunRecord> records;
    std::size_t at = 0;
    const auto next = [&] { return at < numbers.size() ? numbers[at++] : 0.0; };
    while (at < numbers.size()) {
        RunRecord record;
        record.run = static_cast<int>(next());
        record.seed = static_cast<std::uint32_t>(next());
        for (MethodResult& result : record.methods) {
            result.F = static_cast<std::int64_t>(next());
            result.seconds_to_best = next();
            result.cycles_to_best = static_cast<std::int64_t>(next());
        }
        record.seconds = next();
        const auto improvements = static_cast<std::size_t>(next());
        for (std::size_t k = 0; k < improvements && at < numbers.size(); ++k) {
            const double seconds = next();
            record.improvements.push_back({seconds, static_cast<std::int64_t>(next())});
        }
        records.push_back(std::move(record));
    }
    return records;
}

} // namespace
} // namespace knapsack

extern "C" {

// Run `run` of the page's instance, its VNS stopped after `seconds`.
EMSCRIPTEN_KEEPALIVE void experiment_run(int run, double seconds, unsigned seed) {
    using namespace knapsack;
    if (const std::vector<ExperimentInstance>* instances = instance()) {
        const std::vector<double> numbers =
            encoded(run_once(*instances, 0, run, run_seed(seed, (*instances)[0].name, run),
                             VnsStop::after_seconds(seconds)));
        js_experiment_record(numbers.data(), static_cast<int>(numbers.size()));
    }
}

// The table's cells (a line per method, tab-separated), the CSV and the plots
// of the records given, `count` numbers in all.
EMSCRIPTEN_KEEPALIVE void experiment_report(const double* numbers, int count) {
    using namespace knapsack;
    const std::vector<ExperimentInstance>* instances = instance();
    if (instances == nullptr) {
        return;
    }
    const std::vector<RunRecord> records =
        decoded({numbers, static_cast<std::size_t>(std::max(count, 0))});
    std::string cells;
    for (const MethodSummary& summary : summarize(*instances, records)) {
        for (const std::string& cell : summary_cells(summary)) {
            cells += cell + '\t';
        }
        cells.back() = '\n';
    }
    js_experiment_report(static_cast<double>((*instances)[0].optimum), cells.c_str(),
                         experiment_csv(*instances, records).c_str(),
                         experiment_svg(*instances, records).c_str());
}

} // extern "C"
