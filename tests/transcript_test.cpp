// End-to-end: the built program in a temporary directory holding instance
// files, with scripted standard input; its whole standard output and exit
// status are compared with golden files, and with the plain reference program.
// UPDATE_GOLDEN=1 rewrites the golden files instead of comparing.
#include "support/program_runs.hpp"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

namespace knapsack {
namespace {

using namespace knapsack::testing;

const std::filesystem::path kReference = REFERENCE_PROGRAM;

// The worked two-item instance, written as 50-item files (the rest are 0).
Files two_items() {
    return {{"peso50.txt", "2 3\n"}, {"beneficio50.txt", "5 4\n"}, {"limite50.txt", "1 2\n"}};
}

struct Case {
    const char* name;
    Files files;
    const char* input;
    int status;
};

std::vector<Case> cases() {
    return {
        {"quit_at_once", shipped(), "0\n", 0},
        {"search_before_solution", shipped(), "2\n3\n0\n", 0},
        {"out_of_range_and_garbage", shipped(), "7\n-1\nabc\n0\n", 0},
        {"end_of_input", shipped(), "1\n", 0},
        {"random_twice", shipped(), "1\n1\n0\n", 0},
        {"vnd", shipped(), "1\n2\n0\n", 0},
        {"vnd_twice", shipped(), "1\n2\n2\n0\n", 0},
        {"vnd_new_start_vnd", shipped(), "1\n2\n1\n2\n0\n", 0},
        {"two_items_vnd_new_start_vnd", two_items(), "1\n2\n1\n2\n0\n", 0},
        {"missing_weights", with(shipped(), "peso50.txt", kAbsent), "0\n", 1},
        {"missing_profits", with(shipped(), "beneficio50.txt", kAbsent), "0\n", 1},
        {"missing_limits", with(shipped(), "limite50.txt", kAbsent), "0\n", 1},
        {"weights_not_integer", with(shipped(), "peso50.txt", "1 2 x3\n"), "0\n", 1},
        {"profits_out_of_range", with(shipped(), "beneficio50.txt", "2147483648\n"), "0\n", 1},
        {"limits_too_many", with(shipped(), "limite50.txt", repeated("1\n", 51)), "0\n", 1},
        {"negative_weight", with(shipped(), "peso50.txt", "3 -1\n"), "0\n", 1},
        {"negative_limit", with(shipped(), "limite50.txt", "1 1 -2\n"), "0\n", 1},
        {"request_takes_one_character", shipped(), "2x1\n0\n", 0},
        {"vns_request_takes_one_character", shipped(), "3 1\n0\n", 0},
        {"sums_overflow",
         {{"peso50.txt", "50000\n"}, {"beneficio50.txt", "1\n"}, {"limite50.txt", "1\n"}},
         "0\n",
         1},
    };
}

class Transcript : public ::testing::TestWithParam<Case> {};

TEST_P(Transcript, MatchesGoldenOutputAndStatus) {
    const Case& c = GetParam();
    const RunResult result = run_in(c.files, kProgram, c.input);
    ASSERT_FALSE(result.timed_out);
    EXPECT_EQ(result.exit_status, c.status) << result.err;
    EXPECT_EQ(result.err, "");
    const auto golden = kSource / "tests" / "golden" / (std::string(c.name) + ".txt");
    if (std::getenv("UPDATE_GOLDEN") != nullptr) {
        std::ofstream(golden, std::ios::binary) << result.head;
        return;
    }
    ASSERT_TRUE(std::filesystem::exists(golden)) << golden;
    EXPECT_EQ(result.head, read_file(golden));
}

INSTANTIATE_TEST_SUITE_P(Program, Transcript, ::testing::ValuesIn(cases()),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(Transcript, BadInstanceStopsBeforeTheMenuWithOneLine) {
    for (const Case& c : cases()) {
        if (c.status != 1) {
            continue;
        }
        const RunResult result = run_in(c.files, kProgram, c.input);
        EXPECT_EQ(result.head.find("Escolha"), std::string::npos) << c.name;
        EXPECT_EQ(std::count(result.head.begin(), result.head.end(), '\n'), 1) << c.name;
        EXPECT_EQ(result.head.rfind("O Arquivo ", 0), 0u) << c.name;
    }
}

// A solution whose objective is exactly 0 is still a solution: once a search
// has raised F from below to 0, options 2 and 3 search again instead of
// asking for one. Run on the test build, whose option 3 is 30 cycles long.
TEST(Transcript, ObjectiveRaisedToZeroStillCountsAsASolution) {
    if (std::string(TEST_PROGRAM).empty()) {
        GTEST_SKIP() << "the test build exists only without sanitizers";
    }
    // Nothing is worth anything, and items 0 to 39 are heavy: a random start is
    // far overfull, and the one-unit descent empties it down to the capacity.
    const Files worthless{{"peso50.txt", repeated("10\n", 40) + repeated("0\n", 10)},
                          {"beneficio50.txt", repeated("0\n", 50)},
                          {"limite50.txt", repeated("5\n", 50)}};
    const RunResult r = run_in(worthless, TEST_PROGRAM, "1\n2\n2\n3\n0\n");
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_NE(r.head.find("funcao objetivo = -"), std::string::npos) << "the start is overfull";
    EXPECT_EQ(r.head.find("Gere uma solucao inicial"), std::string::npos);
    const std::string vnd_at_zero = "Melhor solucao encontrada pelo VND:\nFuncao objetivo: 0\n";
    EXPECT_GE(count_of(r.head, vnd_at_zero), 2U) << "both options 2 ran";
    EXPECT_NE(r.head.find("Melhor solucao encontrada pelo VNS em 30 ciclos:\nFuncao objetivo: 0\n"),
              std::string::npos);
}

// The progress line appears on standard error when it is a terminal and
// standard output is not, and is gone when the search ends; the trace itself
// does not change. Elsewhere standard error stays empty.
TEST(Transcript, VnsProgressShowsOnlyOnATerminal) {
    if (std::string(TEST_PROGRAM).empty()) {
        GTEST_SKIP() << "the test build exists only without sanitizers";
    }
    const std::string input = "1\n3\n0\n";
    const RunResult plain = run_in(shipped(), TEST_PROGRAM, input);
    EXPECT_EQ(plain.err, "");
    RunOptions terminal;
    terminal.stderr_terminal = true;
    const RunResult shown = run_in(shipped(), TEST_PROGRAM, input, terminal);
    EXPECT_EQ(shown.exit_status, 0);
    EXPECT_EQ(shown.head, plain.head);
    EXPECT_EQ(shown.err.rfind("\rVNS 0.", 0), 0U) << shown.err;
    EXPECT_NE(shown.err.find("ciclos: 1 de 30"), std::string::npos) << shown.err;
    // Erased at the end: back to the start, blanks over the last text, back again.
    ASSERT_GE(shown.err.size(), 3U);
    EXPECT_EQ(shown.err.back(), '\r');
    const std::size_t erase = shown.err.rfind('\r', shown.err.size() - 2);
    const std::string blanks = shown.err.substr(erase + 1, shown.err.size() - erase - 2);
    EXPECT_FALSE(blanks.empty());
    EXPECT_EQ(blanks.find_first_not_of(' '), std::string::npos) << shown.err;
}

// Every way a run is ended from outside during the search (Ctrl-C, SIGTERM,
// a closed terminal, the reader of the trace going away, and Ctrl-C in a
// second search): the line is erased, and the program ends by that signal,
// as a shell expects; a SIGINT that its starter ignores stays ignored. An
// output that fails erases the line too.
TEST(Transcript, SearchInterruptedOrFailingErasesTheProgressLine) {
    RunOptions options;
    options.stderr_terminal = true;
    options.signal_cue = "ciclos: ";
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        options.signals = {signal};
        const RunResult r = run_in(shipped(), kProgram, "1\n3\n0\n", options);
        EXPECT_EQ(r.signal, signal);
        EXPECT_TRUE(erased_before(r.err)) << r.err;
    }
    options.sigint_ignored = true;
    options.signals = {SIGINT, SIGTERM};
    EXPECT_EQ(run_in(shipped(), kProgram, "1\n3\n0\n", options).signal, SIGTERM);
    options.signals = {};
    options.sigint_ignored = false;
    options.read_limit = std::size_t{64} << 20;
    const RunResult gone = run_in(shipped(), kProgram, "1\n3\n0\n", options);
    EXPECT_EQ(gone.signal, SIGPIPE) << "as `| head` ends it";
    EXPECT_TRUE(erased_before(gone.err)) << gone.err;
    options.sigpipe_ignored = true;
    const RunResult r = run_in(shipped(), kProgram, "1\n3\n0\n", options);
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_TRUE(erased_before(r.err, r.err.find("Erro ao escrever a saida padrao"))) << r.err;
    if (std::string(TEST_PROGRAM).empty()) {
        return; // the test build exists only without sanitizers
    }
    // The second search of the session: its first draw follows the erase of the first.
    RunOptions second;
    second.stderr_terminal = true;
    second.arguments = {"1"}; // a search of one second
    second.signal_cue = "\r\rVNS";
    second.signals = {SIGINT};
    const RunResult again = run_in(shipped(), TEST_PROGRAM, "1\n3\n3\n0\n", second);
    EXPECT_EQ(again.signal, SIGINT);
    EXPECT_TRUE(erased_before(again.err)) << again.err;
}

// Standard output's pipe is widened, so that the trace crosses it in large chunks.
TEST(Transcript, TheOutputPipeIsWidened) {
    if (const std::string why = why_pipes_stay_narrower_than(std::size_t{1} << 20); !why.empty()) {
        GTEST_SKIP() << why;
    }
    const RunResult r = run_in(shipped(), kProgram, "1\n0\n");
    EXPECT_GE(r.stdout_pipe_size, 1 << 20);
}

// Instances of other shapes than the shipped one, written as the program reads them.
Files generated(int variant) {
    const std::string names[] = {"peso50.txt", "beneficio50.txt", "limite50.txt"};
    Files files;
    std::uint32_t state = 2654435761u * static_cast<std::uint32_t>(variant + 1);
    auto next = [&state](std::uint32_t k) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % k;
    };
    for (int i = 0; i < 50; ++i) {
        files[names[0]] += std::to_string(next(variant == 2 ? 4 : 21)) + "\n";
        files[names[1]] +=
            std::to_string(static_cast<int>(next(61)) - (variant == 1 ? 10 : 0)) + " ";
        files[names[2]] += std::to_string(next(variant == 0 ? 9 : 6)) + "\t";
    }
    return files;
}

TEST(Transcript, AgreesWithTheReferenceProgram) {
    const char* inputs[] = {"1\n2\n0\n", "2\n1\n2\n2\n1\n1\n2\n0\n", "1\n1\n1\n2\n1\n2\n0\n"};
    std::vector<Files> instances{shipped(), two_items()};
    for (int v = 0; v < 3; ++v) {
        instances.push_back(generated(v));
    }
    for (std::size_t k = 0; k < instances.size(); ++k) {
        for (const char* input : inputs) {
            const RunResult ours = run_in(instances[k], kProgram, input);
            const RunResult theirs = run_in(instances[k], kReference, input);
            EXPECT_EQ(ours.exit_status, 0);
            EXPECT_EQ(ours.head, theirs.head) << "instance " << k << " input " << input;
        }
    }
}

// The only test that runs the full 20-second search. Its trace is counted and
// only its two ends are kept.
TEST(Transcript, VnsRunsItsBudgetAndNeverLowersF) {
    const std::string input = "1\n2\n3\n0\n";
    RunOptions options;
    options.keep_head = 1 << 20;
    options.keep_tail = 1 << 16;
    options.timeout_seconds = 120;
    const RunResult ours = run_in(shipped(), kProgram, input, options);
    ASSERT_FALSE(ours.timed_out);
    EXPECT_EQ(ours.exit_status, 0);
    EXPECT_GE(ours.seconds, 20.0);

    // The trace starts as the reference's does: run it for a few cycles only
    // and drop its final block, which the full run prints much later.
    RunOptions few;
    few.arguments = {"25"};
    const RunResult reference = run_in(shipped(), kReference, input, few);
    const std::string vns_title = "Melhor solucao encontrada pelo VNS em 20 segundos:\n";
    const std::size_t final_block =
        reference.head.rfind("Melhor solucao encontrada pelo VNS em 25 ciclos:\n");
    ASSERT_NE(final_block, std::string::npos);
    const std::string prefix = reference.head.substr(0, final_block - 50);
    ASSERT_GT(ours.stdout_bytes, prefix.size());
    EXPECT_EQ(ours.head.substr(0, prefix.size()), prefix);

    // It ends with the VNS block, the table and the menu; F is at least the VND's.
    const std::size_t block = ours.tail.rfind(vns_title);
    ASSERT_NE(block, std::string::npos);
    const std::string tail = ours.tail.substr(block);
    EXPECT_EQ(std::count(tail.begin(), tail.end(), '\n'), 4 + 1 + 51 + 6);
    const auto objective_after = [](const std::string& text, std::size_t from) {
        return std::stoi(text.substr(text.find("Funcao objetivo: ", from) + 17));
    };
    const std::size_t vnd_block = ours.head.find("Melhor solucao encontrada pelo VND:\n");
    ASSERT_NE(vnd_block, std::string::npos);
    EXPECT_GE(objective_after(tail, 0), objective_after(ours.head, vnd_block));
}

} // namespace
} // namespace knapsack
