#pragma once

#include "model/instance.hpp"
#include "search/vns.hpp"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace knapsack {

// How the searches behave over many runs: each run draws a random start as the
// menu's option 1 does, descends it by VND (option 2) and runs the VNS from
// there (option 3's algorithm), every trace discarded.

// An instance of an experiment, with its exact optimum (overfull solutions
// included) to measure every result against.
struct ExperimentInstance {
    std::string name;       // "uncorrelated-3", or the folder it was loaded from
    std::string class_name; // the generator's class, or "data"
    Instance instance;
    std::int64_t optimum = 0;
};

// Made from a loaded or generated instance: its optimum computed.
ExperimentInstance experiment_instance(std::string name, std::string class_name, Instance instance);

enum class Method { random, vnd, vns };
inline constexpr std::array<Method, 3> kMethods{Method::random, Method::vnd, Method::vns};
// "random", "VND", "VNS".
std::string_view method_name(Method method);

// What a method of a run reached, and when: seconds since the run began
// (the VND's and the VNS's include what came before them), and for the VNS
// the cycles it had completed when it last improved.
struct MethodResult {
    std::int64_t F = 0;
    double seconds_to_best = 0;
    std::int64_t cycles_to_best = 0;
};

// A VNS improvement: when, in seconds since the run began, and to what.
struct Improvement {
    double seconds = 0;
    std::int64_t F = 0;
};

struct RunRecord {
    std::size_t instance = 0; // in the experiment's list
    int run = 0;
    std::uint32_t seed = 0;
    std::array<MethodResult, 3> methods{}; // by Method
    std::vector<Improvement> improvements; // the VNS's, in order
    double seconds = 0;                    // the whole run

    const MethodResult& of(Method method) const {
        return methods[static_cast<std::size_t>(method)];
    }
};

// A record as numbers, to travel between the page's workers: the instance,
// the run, its seed, then the F, seconds and cycles of each method, the run's seconds, the
// count of the VNS's improvements and each one's seconds and F.
std::vector<double> record_numbers(const RunRecord& record);
// Records laid out one after another as record_numbers lays each out.
std::vector<RunRecord> records_from_numbers(std::span<const double> numbers);

// The seed of a run, from the experiment's seed, the instance's name and the
// run's number: any run can be repeated alone, whatever else is run with it.
std::uint32_t run_seed(std::uint32_t seed, std::string_view instance_name, int run);

// One run of `instances[index]`, its VNS stopped by `stop`.
RunRecord run_once(const std::vector<ExperimentInstance>& instances, std::size_t index, int run,
                   std::uint32_t seed, const VnsStop& stop);

struct ExperimentPlan {
    std::vector<int> runs; // the runs' numbers, the same for every instance
    std::uint32_t seed = 1000;
    VnsStop stop = VnsStop::after_seconds(1.0);
    unsigned threads = 1;
};

// Every run of every instance, in that order, spread over the plan's threads;
// each thread owns its solutions and generator, and the instances are shared
// read-only. With a stop by cycles the records are the same whatever the
// threads, but for their seconds. `done`, when given, counts the runs ended.
std::vector<RunRecord> run_experiment(const std::vector<ExperimentInstance>& instances,
                                      const ExperimentPlan& plan,
                                      std::atomic<std::size_t>* done = nullptr);

} // namespace knapsack
