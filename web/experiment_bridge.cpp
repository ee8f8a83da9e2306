// The page's experiments: the same runs and statistics as knapsack-experiment,
// called by web/site/experiment_worker.js in Web Workers of their own. A run
// worker loads the instance it was given (by the program's loader) and makes
// runs; a report worker turns the runs' records, gathered by the page, into
// the table, the CSV and the plots. Between them a record travels as numbers
// (quality/experiment.hpp's record_numbers).
#include "model/loader.hpp"
#include "quality/experiment.hpp"
#include "quality/experiment_summary.hpp"
#include "quality/experiment_svg.hpp"
#include "report/reports.hpp"

#include <algorithm>
#include <cstddef>
#include <emscripten.h>
#include <new>
#include <optional>
#include <string>
#include <vector>

// clang-format off
EM_JS(void, js_experiment_refused, (const char* message), {
    Module.experimentRefused(UTF8ToString(message));
});

EM_JS(void, js_experiment_record, (const double* numbers, int count), {
    Module.experimentRecord(HEAPF64.slice(numbers >> 3, (numbers >> 3) + count));
});

EM_JS(void, js_experiment_report, (double optimum, int runs, const char* cells, const char* csv,
                                   const char* svg), {
    Module.experimentReport({
        optimum: optimum,
        runs: runs,
        cells: UTF8ToString(cells),
        csv: UTF8ToString(csv),
        svg: UTF8ToString(svg),
    });
});
// clang-format on

namespace knapsack {
namespace {

// The working directory's instance, loaded once per worker; the page's own
// experiments name it "atual".
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

void run(int run_number, double seconds, unsigned seed) {
    if (const std::vector<ExperimentInstance>* instances = instance()) {
        const std::vector<double> numbers = record_numbers(
            run_once(*instances, 0, run_number, run_seed(seed, (*instances)[0].name, run_number),
                     VnsStop::after_seconds(seconds)));
        js_experiment_record(numbers.data(), static_cast<int>(numbers.size()));
    }
}

void report(const double* numbers, int count) {
    const std::vector<ExperimentInstance>* instances = instance();
    if (instances == nullptr) {
        return;
    }
    const std::vector<RunRecord> records =
        records_from_numbers({numbers, static_cast<std::size_t>(std::max(count, 0))});
    std::string cells;
    for (const MethodSummary& summary : summarize(*instances, records)) {
        for (const std::string& cell : summary_cells(summary)) {
            cells += cell + '\t';
        }
        cells.back() = '\n';
    }
    js_experiment_report(static_cast<double>((*instances)[0].optimum),
                         static_cast<int>(records.size()), cells.c_str(),
                         experiment_csv(*instances, records).c_str(),
                         experiment_svg(*instances, records).c_str());
}

// An exhausted heap ends the experiment with the console's message.
template <typename Work> void reporting_failure(const Work& work) {
    try {
        work();
    } catch (const std::bad_alloc&) {
        js_experiment_refused(kOutOfMemoryMessage.data()); // a literal, ended by its NUL
    }
}

} // namespace
} // namespace knapsack

extern "C" {

// Run `run` of the page's instance, its VNS stopped after `seconds`.
EMSCRIPTEN_KEEPALIVE void experiment_run(int run, double seconds, unsigned seed) {
    knapsack::reporting_failure([&] { knapsack::run(run, seconds, seed); });
}

// The table's cells (a line per method, tab-separated), the CSV and the plots
// of the records given, `count` numbers in all.
EMSCRIPTEN_KEEPALIVE void experiment_report(const double* numbers, int count) {
    knapsack::reporting_failure([&] { knapsack::report(numbers, count); });
}

} // extern "C"
