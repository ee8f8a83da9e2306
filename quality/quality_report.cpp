// How far the heuristics land from the true optimum.
//   quality_report [DATA_DIR [SVG_PATH]]
// For the instance in DATA_DIR (default "data", the shipped one) and 20
// generated ones, prints the exact best objective, overfull solutions
// included, beside a random start, its VND local optimum and the VNS from
// there after 1, 10 and 100 thousand cycles (and, for the first instance,
// after the menu's 20-second budget), as the menu's options 1, 2 and 3 would
// run them. Draws the first instance's 20-second VNS progress as an SVG
// picture (default "vns_progress.svg").
#include "model/evaluation.hpp"
#include "model/loader.hpp"
#include "model/random.hpp"
#include "quality/exact_optimum.hpp"
#include "quality/instance_generator.hpp"
#include "quality/starts.hpp"
#include "report/output.hpp"
#include "search/vns.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace knapsack {
namespace {

constexpr std::array<std::int64_t, 3> kCheckpoints = {1'000, 10'000, 100'000};
constexpr double kMenuBudget = kVnsBudgetSeconds;

// A VNS run: every improvement it made, and where it ended.
struct Run : VnsObserver {
    explicit Run(Solution from) : result(std::move(from)) {}

    std::vector<VnsProgress> improvements;
    Solution result;

    void improved(const VnsProgress& found) override { improvements.push_back(found); }
};

Run run_vns(const Solution& from, Rng& rng, const VnsStop& stop) {
    Run run(from);
    Output sink = Output::discarding();
    vns(run.result, sink, rng, stop, &run);
    return run;
}

// The incumbent's F once `cycles` cycles had completed.
std::int32_t f_after(const Run& run, std::int32_t initial, std::int64_t cycles) {
    std::int32_t F = initial;
    for (const VnsProgress& found : run.improvements) {
        if (found.cycles < cycles) {
            F = found.F; // cppcheck-suppress useStlAlgorithm ; the last one before, in order
        }
    }
    return F;
}

std::string gap(std::int64_t optimum, std::int32_t F) {
    if (optimum <= 0) {
        return "-";
    }
    std::array<char, 32> text{};
    const int n =
        std::snprintf(text.data(), text.size(), "%.2f",
                      100.0 * static_cast<double>(optimum - F) / static_cast<double>(optimum));
    return n < 0 ? std::string("?") : std::string(text.data());
}

struct Row {
    std::string name;
    std::int64_t optimum;
    std::int32_t random;
    std::int32_t vnd;
    std::array<std::int32_t, 3> vns;
    std::string timed; // F after the 20-second budget, first instance only
    bool optimum_overfull;
    bool vns_overfull;
    double found_at;       // seconds into the 100k-cycle run of its last improvement
    std::int64_t found_in; // and the cycle
};

// `timed`, when given, receives the first instance's run of the menu's budget.
Row evaluate_instance(const std::string& name, const Instance& instance,
                      std::optional<Run>* timed) {
    const Optimum optimum = exact_optimum(instance);
    Row row{name, optimum.objective, 0, 0, {}, "", false, false, 0.0, 0};
    row.optimum_overfull = total_weight(optimum.quantities, instance.weights) > instance.capacity;
    Rng rng(kSeed); // NOLINT(cert-msc32-c,cert-msc51-cpp): the same report every time
    const Solution start = random_solution(rng, instance);
    row.random = start.objective();
    const Solution descended = local_optimum(start);
    row.vnd = descended.objective();
    Rng timed_rng = rng;
    const Run run = run_vns(descended, rng, VnsStop::after_cycles(kCheckpoints[2]));
    for (std::size_t k = 0; k < 3; ++k) {
        row.vns[k] = f_after(run, descended.objective(), kCheckpoints[k]);
    }
    row.vns_overfull = run.result.weight() > instance.capacity;
    if (!run.improvements.empty()) {
        row.found_at = run.improvements.back().seconds;
        row.found_in = run.improvements.back().cycles;
    }
    if (timed != nullptr) {
        timed->emplace(run_vns(descended, timed_rng, VnsStop::after_seconds(kMenuBudget)));
        row.timed = std::to_string((*timed)->result.objective());
    }
    return row;
}

// Which of the best solution and the VNS result is heavier than the capacity.
const char* overfull(const Row& r) {
    if (r.optimum_overfull) {
        return r.vns_overfull ? "both" : "optimum";
    }
    return r.vns_overfull ? "VNS" : "-";
}

void print_table(const std::vector<Row>& rows) {
    std::printf("%-10s %8s %9s %6s %8s %8s %8s %8s %7s %11s %9s  %s\n", "instance", "optimum",
                "random", "VND", "VNS 1k", "VNS 10k", "VNS 100k", "VNS 20s", "gap %", "found at s",
                "at cycle", "overfull");
    for (const Row& r : rows) {
        std::printf("%-10s %8lld %9d %6d %8d %8d %8d %8s %7s %11.4f %9lld  %s\n", r.name.c_str(),
                    static_cast<long long>(r.optimum), r.random, r.vnd, r.vns[0], r.vns[1],
                    r.vns[2], r.timed.empty() ? "-" : r.timed.c_str(),
                    gap(r.optimum, r.vns[2]).c_str(), r.found_at,
                    static_cast<long long>(r.found_in), overfull(r));
    }
}

// Best F against time on a logarithmic axis, with the optimum as a line.
void write_svg(const std::string& path, const Run& run, std::int32_t start_F,
               std::int64_t optimum) {
    constexpr double kWidth = 720, kHeight = 400, kLeft = 70, kRight = 20, kTop = 30, kBottom = 50;
    constexpr double kFirst = -5.0; // 10 microseconds
    const double last = std::log10(kMenuBudget);
    const double low = std::min<double>(start_F, static_cast<double>(optimum)) - 5;
    const double high = static_cast<double>(optimum) + 5;
    auto x = [&](double seconds) {
        const double t = std::clamp(std::log10(std::max(seconds, 1e-9)), kFirst, last);
        return kLeft + (t - kFirst) / (last - kFirst) * (kWidth - kLeft - kRight);
    };
    auto y = [&](double F) {
        return kTop + (high - F) / (high - low) * (kHeight - kTop - kBottom);
    };
    std::ofstream svg(path);
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << kWidth << "\" height=\""
        << kHeight << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << "<text x=\"" << kLeft << "\" y=\"18\">VNS on the shipped instance: best objective "
        << "against time (20-second budget)</text>\n";
    for (int e = static_cast<int>(kFirst); e <= 1; ++e) {
        const double gx = x(std::pow(10.0, e));
        svg << "<line x1=\"" << gx << "\" y1=\"" << kTop << "\" x2=\"" << gx << "\" y2=\""
            << kHeight - kBottom << "\" stroke=\"#ddd\"/>\n<text x=\"" << gx - 14 << "\" y=\""
            << kHeight - kBottom + 16 << "\">1e" << e << "</text>\n";
    }
    svg << "<text x=\"" << kWidth / 2 - 40 << "\" y=\"" << kHeight - 12
        << "\">seconds (log scale)</text>\n";
    for (const double F : {low + 5, static_cast<double>(optimum)}) {
        svg << "<text x=\"4\" y=\"" << y(F) + 4 << "\">" << static_cast<long long>(F)
            << "</text>\n";
    }
    svg << "<line x1=\"" << kLeft << "\" y1=\"" << y(static_cast<double>(optimum)) << "\" x2=\""
        << kWidth - kRight << "\" y2=\"" << y(static_cast<double>(optimum))
        << "\" stroke=\"#c33\" stroke-dasharray=\"6 4\"/>\n<text x=\"" << kWidth - 150 << "\" y=\""
        << y(static_cast<double>(optimum)) - 6 << "\" fill=\"#c33\">exact optimum " << optimum
        << "</text>\n<polyline fill=\"none\" stroke=\"#236\" stroke-width=\"2\" points=\"";
    double F = start_F;
    svg << x(1e-9) << ',' << y(F);
    for (const VnsProgress& found : run.improvements) {
        svg << ' ' << x(found.seconds) << ',' << y(F) << ' ' << x(found.seconds) << ','
            << y(found.F);
        F = found.F;
    }
    svg << ' ' << x(kMenuBudget) << ',' << y(F) << "\"/>\n<text x=\"" << kWidth - 150 << "\" y=\""
        << y(F) + 18 << "\" fill=\"#236\">VNS best " << F << "</text>\n</svg>\n";
}

int report(const std::string& name, const std::string& data_dir, const std::string& svg_path) {
    std::vector<Row> rows;
    const Instance first = load_instance(data_dir);
    std::optional<Run> timed;
    rows.push_back(evaluate_instance(name, first, &timed));
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        rows.push_back(
            evaluate_instance("seed " + std::to_string(seed), generate_instance(seed), nullptr));
    }
    print_table(rows);
    std::printf("\noptimum: the best objective of any solution, overfull ones included; gap: how "
                "far below it VNS 100k ends.\noverfull: which of the optimum's solution and the "
                "VNS result is heavier than the capacity.\nGenerated instances: "
                "generate_instance(seed) for seeds 1 to 20, the shipped instance's generator.\n"
                "VNS starts from the VND result with the menu's generator (seed %u, after the "
                "random start's draws).\n",
                kSeed);
    write_svg(svg_path, *timed, rows[0].vnd, rows[0].optimum);
    std::printf("Progress picture written to %s\n", svg_path.c_str());
    return 0;
}

} // namespace
} // namespace knapsack

int main(int argc, char** argv) {
    const std::string data_dir = argc > 1 ? argv[1] : "data";
    const std::string svg_path = argc > 2 ? argv[2] : "vns_progress.svg";
    const std::string name =
        argc > 1 ? std::filesystem::path(data_dir).lexically_normal().filename().string()
                 : "shipped";
    try {
        return knapsack::report(name.empty() ? "given" : name.substr(0, 10), data_dir, svg_path);
    } catch (const knapsack::LoadError& error) {
        (void)std::fputs(error.what(), stdout); // the status tells a failed write too
        return 1;
    }
}
