// The experiment's runs on one thread and on two: the same work, a fixed
// number of VNS cycles per run, timed on the wall clock. On two cores the two
// threads should take well under two thirds of the one's time.
//   build/release/bench/experiment_bench --benchmark_repetitions=3
//   --benchmark_report_aggregates_only=true
#include "quality/experiment.hpp"
#include "quality/instance_classes.hpp"

#include <benchmark/benchmark.h>

namespace knapsack {
namespace {

const std::vector<ExperimentInstance>& instances() {
    static const std::vector<ExperimentInstance> made = [] {
        std::vector<ExperimentInstance> list;
        for (const InstanceClass c : kInstanceClasses) {
            list.push_back(experiment_instance(std::string(class_name(c)),
                                               std::string(class_name(c)),
                                               generate_class_instance(c, 1)));
        }
        return list;
    }();
    return made;
}

void BM_experiment(benchmark::State& state) {
    ExperimentPlan plan;
    plan.runs = {0, 1, 2, 3, 4, 5, 6, 7};
    plan.stop = VnsStop::after_cycles(200'000);
    plan.threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(run_experiment(instances(), plan));
    }
}
BENCHMARK(BM_experiment)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace knapsack
