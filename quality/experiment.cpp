#include "quality/experiment.hpp"

#include "model/random.hpp"
#include "quality/exact_optimum.hpp"
#include "report/output.hpp"
#include "search/vnd.hpp"

#include <chrono>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace knapsack {

namespace {

// The VNS's improvements, timed from the run's start.
class Improvements : public VnsObserver {
  public:
    Improvements(std::vector<Improvement>& into, double offset) : into_(into), offset_(offset) {}
    void improved(const VnsProgress& at) override {
        into_.push_back({offset_ + at.seconds, at.F});
        cycles_ = at.cycles;
    }
    std::int64_t last_cycles() const { return cycles_; }

  private:
    std::vector<Improvement>& into_;
    double offset_;
    std::int64_t cycles_ = 0;
};

// SplitMix64's finaliser: every bit of the input moves every bit of the output.
std::uint64_t mixed(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

} // namespace

ExperimentInstance experiment_instance(std::string name, std::string class_name,
                                       Instance instance) {
    const std::int64_t optimum = exact_optimum(instance).objective;
    return {std::move(name), std::move(class_name), std::move(instance), optimum};
}

std::string_view method_name(Method method) {
    switch (method) {
    case Method::random:
        return "random";
    case Method::vnd:
        return "VND";
    case Method::vns:
        return "VNS";
    }
    return "";
}

std::vector<double> record_numbers(const RunRecord& record) {
    std::vector<double> numbers{static_cast<double>(record.instance),
                                static_cast<double>(record.run), static_cast<double>(record.seed)};
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

std::vector<RunRecord> records_from_numbers(std::span<const double> numbers) {
    std::vector<RunRecord> records;
    std::size_t at = 0;
    // Past the end, zeros: a cut record comes out empty rather than read beyond.
    const auto next = [&] { return at < numbers.size() ? numbers[at++] : 0.0; };
    while (at < numbers.size()) {
        RunRecord record;
        record.instance = static_cast<std::size_t>(next());
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

std::uint32_t run_seed(std::uint32_t seed, std::string_view instance_name, int run) {
    std::uint64_t name = 0xcbf29ce484222325ULL; // FNV-1a
    for (const char c : instance_name) {
        // cppcheck-suppress useStlAlgorithm ; the hash's loop as it is defined
        name = (name ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
    }
    return static_cast<std::uint32_t>(
        mixed(mixed(mixed(seed) ^ name) ^ static_cast<std::uint64_t>(run)));
}

RunRecord run_once(const std::vector<ExperimentInstance>& instances, std::size_t index, int run,
                   std::uint32_t seed, const VnsStop& stop) {
    using Clock = std::chrono::steady_clock;
    const Instance& instance = instances[index].instance;
    RunRecord record{index, run, seed, {}, {}, 0.0};
    const auto began = Clock::now();
    const auto seconds = [&began] {
        return std::chrono::duration<double>(Clock::now() - began).count();
    };
    Rng rng(seed);
    Output sink = Output::discarding();
    Solution current = random_solution(rng, instance);
    record.methods[0] = {current.objective(), seconds(), 0};
    vnd(current, sink);
    const double descended = seconds();
    record.methods[1] = {current.objective(), descended, 0};
    Improvements improvements(record.improvements, descended);
    vns(current, sink, rng, stop, &improvements);
    record.methods[2] = {current.objective(),
                         record.improvements.empty() ? descended
                                                     : record.improvements.back().seconds,
                         improvements.last_cycles()};
    record.seconds = seconds();
    return record;
}

std::vector<RunRecord> run_experiment(const std::vector<ExperimentInstance>& instances,
                                      const ExperimentPlan& plan, std::atomic<std::size_t>* done) {
    const std::size_t tasks = instances.size() * plan.runs.size();
    std::vector<RunRecord> records(tasks);
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::mutex failure_mutex;
    const auto work = [&] {
        try {
            for (std::size_t k = next++; k < tasks; k = next++) {
                const std::size_t index = k / plan.runs.size();
                const int run = plan.runs[k % plan.runs.size()];
                records[k] = run_once(instances, index, run,
                                      run_seed(plan.seed, instances[index].name, run), plan.stop);
                if (done != nullptr) {
                    ++*done;
                }
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failure_mutex);
            failure = std::current_exception();
            next = tasks; // the others stop at their next run
        }
    };
    std::vector<std::thread> threads;
    for (unsigned t = 1; t < std::max(plan.threads, 1U); ++t) {
        try {
            threads.emplace_back(work);
        } catch (const std::system_error&) {
            break; // the threads there are do the work
        }
    }
    work();
    for (std::thread& thread : threads) {
        thread.join();
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    return records;
}

} // namespace knapsack
