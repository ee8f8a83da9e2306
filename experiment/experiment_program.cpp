#include "experiment/experiment_program.hpp"

#include "experiment/options.hpp"
#include "model/loader.hpp"
#include "platform/raw_io.hpp"
#include "platform/status_line.hpp"
#include "quality/experiment.hpp"
#include "quality/experiment_summary.hpp"
#include "quality/experiment_svg.hpp"
#include "quality/instance_files.hpp"
#include "quality/whole_file.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <new>
#include <numeric>
#include <system_error>
#include <thread>

#ifndef KNAPSACK_VERSION
#define KNAPSACK_VERSION "unknown"
#endif

namespace knapsack {

namespace {

constexpr int kUsageStatus = 2;
constexpr int kFailureStatus = 1;

bool write_out(int fd, std::string_view text) {
    return raw_io::write_all(fd, text.data(), text.size());
}

int refused(const std::string& why) {
    write_out(raw_io::kStandardError, why + "\n" + usage());
    return kUsageStatus;
}

int failed(const std::string& why) {
    write_out(raw_io::kStandardError, why + "\n");
    return kFailureStatus;
}

// An instance loaded from a folder is named by the folder as given, tidied;
// the working directory by its own name.
std::string folder_name(const std::string& folder) {
    std::string name = std::filesystem::path(folder).lexically_normal().string();
    while (name.size() > 1 && name.back() == '/') {
        name.pop_back();
    }
    if (name == ".") {
        const std::string here = std::filesystem::current_path().filename().string();
        return here.empty() ? name : here;
    }
    return name;
}

// The instances the options name, each loaded by the program's own loader or
// generated; with neither option, the working directory's. Throws
// UsageError for a folder that is not there, LoadError for a refused one.
std::vector<ExperimentInstance> instances_of(const ExperimentOptions& options) {
    std::vector<ExperimentInstance> instances;
    for (const std::string& folder : options.data) {
        if (!std::filesystem::is_directory(folder)) {
            throw UsageError("--data: a pasta \"" + folder + "\" nao existe");
        }
    }
    for (const std::string& folder : options.data) {
        // cppcheck-suppress useStlAlgorithm ; a loop beside the generated ones reads clearer
        instances.push_back(
            experiment_instance(folder_name(folder), "data", load_instance(folder)));
    }
    for (const ExperimentOptions::Generated& generated : options.generated) {
        for (int seed = 1; seed <= generated.count; ++seed) {
            const std::string name(class_name(generated.instance_class));
            instances.push_back(
                experiment_instance(name + "-" + std::to_string(seed), name,
                                    generate_class_instance(generated.instance_class,
                                                            static_cast<std::uint32_t>(seed))));
        }
    }
    if (options.data.empty() && options.generated.empty()) {
        instances.push_back(experiment_instance(folder_name("."), "data", load_instance()));
    }
    return instances;
}

bool write_generated(const std::vector<ExperimentInstance>& instances, const std::string& folder) {
    std::error_code error;
    for (const ExperimentInstance& instance : instances) {
        if (instance.class_name == "data") {
            continue;
        }
        const std::filesystem::path into = std::filesystem::path(folder) / instance.name;
        std::filesystem::create_directories(into, error);
        if (error || !save_instance(instance.instance, into.string())) {
            return false;
        }
    }
    return true;
}

ExperimentPlan plan_of(const ExperimentOptions& options) {
    ExperimentPlan plan;
    if (options.only_run) {
        plan.runs = {*options.only_run};
    } else {
        plan.runs.resize(static_cast<std::size_t>(options.runs));
        std::iota(plan.runs.begin(), plan.runs.end(), 0);
    }
    plan.seed = options.seed;
    plan.stop = options.cycles ? VnsStop::after_cycles(*options.cycles)
                               : VnsStop::after_seconds(options.seconds.value_or(1.0));
    plan.threads =
        options.threads > 0 ? options.threads : std::max(1U, std::thread::hardware_concurrency());
    return plan;
}

// The runs, with their progress on a line of standard error when that is a
// terminal: runs done of all, seconds elapsed and about how many are left.
std::vector<RunRecord> run_with_progress(const std::vector<ExperimentInstance>& instances,
                                         const ExperimentPlan& plan) {
    if (!raw_io::is_terminal(raw_io::kStandardError)) {
        return run_experiment(instances, plan);
    }
    const std::size_t total = instances.size() * plan.runs.size();
    std::atomic<std::size_t> done{0};
    std::vector<RunRecord> records;
    std::exception_ptr failure;
    std::atomic<bool> finished{false};
    const auto work = [&] {
        try {
            records = run_experiment(instances, plan, &done);
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
    };
    std::thread runner;
    try {
        runner = std::thread(work);
    } catch (const std::system_error&) {
        return run_experiment(instances, plan); // no thread to spare for the line
    }
    StatusLine line(raw_io::kStandardError);
    const auto began = std::chrono::steady_clock::now();
    while (!finished) {
        const double elapsed =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
        const std::size_t so_far = done;
        std::array<char, 128> text{};
        const int n = so_far == 0
                          ? std::snprintf(text.data(), text.size(), "execucoes: 0 de %zu | %.1f s",
                                          total, elapsed)
                          : std::snprintf(text.data(), text.size(),
                                          "execucoes: %zu de %zu | %.1f s | faltam cerca de %.1f s",
                                          so_far, total, elapsed,
                                          elapsed / static_cast<double>(so_far) *
                                              static_cast<double>(total - so_far));
        line.show(std::string_view(
            text.data(), n > 0 ? std::min(static_cast<std::size_t>(n), text.size() - 1) : 0));
        for (int wait = 0; wait < 25 && !finished; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    runner.join();
    line.erase();
    if (failure) {
        std::rethrow_exception(failure);
    }
    return records;
}

int run(const ExperimentOptions& options) {
    std::vector<ExperimentInstance> instances;
    try {
        instances = instances_of(options);
    } catch (const UsageError& error) {
        return refused(error.what());
    } catch (const LoadError& error) {
        std::string why = error.what();
        why.pop_back(); // its line break
        return failed(why);
    }
    if (!options.write_instances.empty() && !write_generated(instances, options.write_instances)) {
        return failed("Nao foi possivel escrever as instancias em " + options.write_instances);
    }
    const std::vector<RunRecord> records = run_with_progress(instances, plan_of(options));
    if (!options.csv.empty() &&
        !write_whole_file(options.csv, experiment_csv(instances, records))) {
        return failed("Nao foi possivel escrever " + options.csv);
    }
    if (!options.svg.empty() &&
        !write_whole_file(options.svg, experiment_svg(instances, records))) {
        return failed("Nao foi possivel escrever " + options.svg);
    }
    if (!write_out(raw_io::kStandardOutput,
                   experiment_table(instances, summarize(instances, records)))) {
        return failed("Erro ao escrever a saida padrao");
    }
    return 0;
}

} // namespace

int run_experiment_program(std::span<const char* const> arguments) {
    ExperimentOptions options;
    try {
        options = parse_options(arguments);
    } catch (const UsageError& error) {
        return refused(error.what());
    }
    if (options.help) {
        return write_out(raw_io::kStandardOutput, help()) ? 0 : kFailureStatus;
    }
    if (options.version) {
        return write_out(raw_io::kStandardOutput,
                         std::string("knapsack-experiment ") + KNAPSACK_VERSION + "\n")
                   ? 0
                   : kFailureStatus;
    }
    try {
        return run(options);
    } catch (const std::bad_alloc&) {
        return failed("Falta memoria para o experimento");
    } catch (const std::filesystem::filesystem_error& error) {
        return failed(std::string("Erro de arquivo: ") + error.what());
    } catch (const std::system_error& error) {
        return failed(std::string("Erro do sistema: ") + error.what());
    }
}

} // namespace knapsack
