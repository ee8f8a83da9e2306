// End to end: knapsack-experiment as a user runs it.
#include "model/loader.hpp"
#include "support/program_runs.hpp"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>

namespace knapsack {
namespace {

using namespace knapsack::testing;

const std::filesystem::path kExperiment = KNAPSACK_EXPERIMENT;

RunResult experiment(const std::vector<std::string>& arguments, const TempDir& dir) {
    RunOptions options;
    options.program = kExperiment;
    options.arguments = arguments;
    options.working_directory = dir.path();
    options.timeout_seconds = 60;
    return run_process(options);
}

// A bad invocation: one line naming the problem, the usage, status 2, no file.
TEST(ExperimentProgram, EveryBadInvocationSaysWhyAndWritesNothing) {
    TempDir dir;
    const std::vector<std::vector<std::string>> bad = {
        {"--frobnicate"},
        {"--runs", "many"},
        {"--runs", "0"},
        {"--runs", "2000000"},
        {"--cycles", "0"},
        {"--seconds", "-1"},
        {"--seconds", "1", "--cycles", "5"},
        {"--seed", "4294967296"},
        {"--threads"},
        {"--data", "no-such-folder"},
        {"--generate", "correlated:3"},
        {"--generate", "uncorrelated"},
        {"--generate", "subset-sum:0"},
        {"--runs", "5", "--run", "5"},
        {"--seconds", "0"},
    };
    for (std::vector<std::string> arguments : bad) {
        arguments.insert(arguments.end(), {"--csv", "runs.csv", "--svg", "plots.svg"});
        const RunResult r = experiment(arguments, dir);
        SCOPED_TRACE(arguments.front() + (arguments.size() > 5 ? " " + arguments[1] : ""));
        EXPECT_EQ(r.exit_status, 2);
        EXPECT_EQ(r.head, "");
        const std::size_t line = r.err.find('\n');
        ASSERT_NE(line, std::string::npos);
        EXPECT_EQ(r.err.substr(line + 1).rfind("uso: knapsack-experiment ", 0), 0U) << r.err;
        EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "no output file";
    }
    EXPECT_NE(experiment({"--data", "no-such-folder"}, dir).err.find("no-such-folder"),
              std::string::npos);
    // An option that takes a value, given last without one.
    const RunResult last = experiment({"--csv", "runs.csv", "--runs"}, dir);
    EXPECT_EQ(last.exit_status, 2);
    EXPECT_EQ(last.err.rfind("falta o valor de --runs\n", 0), 0U) << last.err;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    // The bounds themselves are accepted.
    EXPECT_EQ(experiment({"--runs", "1000000", "--run", "999999", "--threads", "1024", "--seed",
                          "4294967295", "--cycles", "1000000000000", "--generate",
                          "subset-sum:10000", "--help"},
                         dir)
                  .exit_status,
              0);
    const RunResult version = experiment({"--version"}, dir);
    EXPECT_EQ(version.head.rfind("knapsack-experiment ", 0), 0U);
    EXPECT_EQ(version.exit_status, 0);
}

// Generated instances written out load in the program's own loader; the
// table, the CSV and the SVG come whole; a refused folder gets the loader's message.
TEST(ExperimentProgram, WritesWhatItRanAndRefusesWhatTheLoaderRefuses) {
    TempDir dir;
    const RunResult r = experiment({"--generate", "strongly-correlated:2", "--runs", "3",
                                    "--cycles", "50", "--threads", "2", "--write-instances",
                                    "instances", "--csv", "runs.csv", "--svg", "plots.svg"},
                                   dir);
    EXPECT_EQ(r.exit_status, 0) << r.err;
    EXPECT_EQ(r.err, "") << "nothing on standard error but for a terminal";
    EXPECT_EQ(count_of(r.head, "instancia strongly-correlated-"), 2U);
    EXPECT_EQ(count_of(read_file(dir.path() / "runs.csv"), "\n"), 1 + 2 * 3 * 3U);
    EXPECT_NE(read_file(dir.path() / "plots.svg").find("</svg>"), std::string::npos);
    const Instance written =
        load_instance((dir.path() / "instances/strongly-correlated-2").string());
    EXPECT_EQ(written.profits[0], written.weights[0] + 2);
    std::size_t files = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::recursive_directory_iterator(dir.path())) {
        ++files;
    }
    EXPECT_EQ(files, 2 + 1 + 2 * 4U) << "no temporary file left behind";

    // A file that cannot take its place fails, and leaves no temporary behind.
    std::filesystem::create_directory(dir.path() / "taken.csv");
    const RunResult taken = experiment(
        {"--generate", "subset-sum:1", "--runs", "1", "--cycles", "5", "--csv", "taken.csv"}, dir);
    EXPECT_EQ(taken.exit_status, 1);
    EXPECT_EQ(taken.err, "Nao foi possivel escrever taken.csv\n");
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos);
    }

    dir.write("peso50.txt", "1 x\n");
    const RunResult refused = experiment({"--data", ".", "--runs", "1", "--csv", "x.csv"}, dir);
    EXPECT_EQ(refused.exit_status, 1);
    EXPECT_EQ(refused.err, "O Arquivo ./peso50.txt contem um valor que nao e um numero inteiro.\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "x.csv"));
}

// On a terminal: the runs' progress on standard error, erased at the end, and
// by Ctrl-C, which then ends the program as it ends knapsack.
TEST(ExperimentProgram, ShowsItsProgressOnATerminalAndErasesIt) {
    TempDir dir;
    RunOptions options;
    options.program = kExperiment;
    options.working_directory = dir.path();
    options.stderr_terminal = true;
    options.arguments = {"--generate", "subset-sum:1", "--runs",    "3",
                         "--seconds",  "0.3",          "--threads", "1"};
    const RunResult shown = run_process(options);
    EXPECT_EQ(shown.exit_status, 0);
    EXPECT_EQ(shown.err.rfind("\rexecucoes: 0 de 3 | 0.0 s", 0), 0U) << shown.err;
    EXPECT_NE(shown.err.find(" de 3 | "), std::string::npos);
    EXPECT_TRUE(erased_before(shown.err)) << shown.err;
    options.arguments[3] = "40";
    options.signal_cue = "faltam";
    options.signals = {SIGINT};
    const RunResult stopped = run_process(options);
    EXPECT_EQ(stopped.signal, SIGINT);
    EXPECT_TRUE(erased_before(stopped.err)) << stopped.err;
}

} // namespace
} // namespace knapsack
