// Hostile instance files, hostile standard input, refused output and an
// exhausted heap: every run ends cleanly, with status 0 or 1 as the rules say,
// a message where one is due, and nothing already printed lost.
#include "support/program_runs.hpp"

#include <algorithm>
#include <gtest/gtest.h>

namespace knapsack {
namespace {

using namespace knapsack::testing;

const std::string kPrompt = "         Escolha: ";
const std::string kMenu = "\n************************************************* \n"
                          "         1. Gerar solucao inicial Aleatoria \n"
                          "         2. VND \n"
                          "         3. VNS \n"
                          "         0. Sair \n" +
                          kPrompt;
const std::string kOutOfMemory = "Falta memoria para alocar o vetor de ponteiros";

RunOptions quick() {
    RunOptions options;
    options.timeout_seconds = 10;
    return options;
}

void expect_rejected(const Files& files, const std::string& file, const std::string& why) {
    const RunResult r = run_in(files, kProgram, "1\n2\n0\n", quick());
    ASSERT_FALSE(r.timed_out) << file;
    EXPECT_EQ(r.exit_status, 1) << file;
    EXPECT_EQ(r.head, "O Arquivo " + file + " " + why + "\n") << file;
}

void expect_accepted(const Files& files) {
    const RunResult r = run_in(files, kProgram, "1\n2\n0\n", quick());
    ASSERT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 0) << r.head.substr(0, 200);
    EXPECT_NE(r.head.find("Melhor solucao encontrada pelo VND:"), std::string::npos);
}

TEST(HostileInstance, BinaryAndNulBytesAreNotIntegers) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary += static_cast<char>((i * 37 + 11) % 256);
    }
    expect_rejected(with(shipped(), "peso50.txt", binary), "peso50.txt",
                    "contem um valor que nao e um numero inteiro.");
    expect_rejected(with(shipped(), "beneficio50.txt", std::string("1 2\0 3", 6)),
                    "beneficio50.txt", "contem um valor que nao e um numero inteiro.");
}

TEST(HostileInstance, HugeFilesStopAtTheFirstFault) {
    expect_rejected(with(shipped(), "peso50.txt", std::string(10 << 20, '7')), "peso50.txt",
                    "contem um numero fora do intervalo de 32 bits.");
    expect_rejected(with(shipped(), "limite50.txt", repeated("1 ", 1'000'000)), "limite50.txt",
                    "contem mais de 50 numeros.");
    // Ten megabytes of blanks with the values at the end are fine.
    expect_accepted(with(shipped(), "beneficio50.txt",
                         std::string(10 << 20, ' ') + read_file(kSource / "data/beneficio50.txt")));
}

TEST(HostileInstance, EmptyFilesAndWindowsLineBreaksAreAccepted) {
    expect_accepted({{"peso50.txt", ""}, {"beneficio50.txt", ""}, {"limite50.txt", ""}});
    Files crlf;
    for (const auto& [name, text] : shipped()) {
        std::string converted;
        for (const char c : text) {
            converted += c == '\n' ? std::string("\r\n") : std::string(1, c);
        }
        crlf[name] = converted;
    }
    const RunResult plain = run_in(shipped(), kProgram, "1\n2\n0\n", quick());
    const RunResult windows = run_in(crlf, kProgram, "1\n2\n0\n", quick());
    EXPECT_EQ(windows.exit_status, 0);
    EXPECT_EQ(windows.head, plain.head);
}

TEST(HostileInstance, DirectoryInsteadOfAFileCannotBeOpened) {
    TempDir dir;
    for (const auto& [name, text] : shipped()) {
        if (name != "beneficio50.txt") {
            dir.write(name, text);
        }
    }
    std::filesystem::create_directory(dir.path() / "beneficio50.txt");
    RunOptions options = quick();
    options.program = kProgram;
    options.working_directory = dir.path();
    const RunResult r = run_process(options);
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_EQ(r.head, "O Arquivo beneficio50.txt nao pode ser aberto.\n");
}

TEST(HostileInstance, ThirtyTwoBitLimits) {
    // At the limits and accepted: extreme profits with nothing to carry them.
    expect_accepted({{"peso50.txt", "0 0\n"},
                     {"beneficio50.txt", "2147483647 -2147483648\n"},
                     {"limite50.txt", "0 0\n"}});
    // Weight and profit 0 with the largest limit: the random draw and every move stay exact.
    expect_accepted(
        {{"peso50.txt", "0\n"}, {"beneficio50.txt", "0\n"}, {"limite50.txt", "2147483647\n"}});
    expect_rejected(with(shipped(), "peso50.txt", "2147483648\n"), "peso50.txt",
                    "contem um numero fora do intervalo de 32 bits.");
    expect_rejected(with(shipped(), "beneficio50.txt", "-2147483649\n"), "beneficio50.txt",
                    "contem um numero fora do intervalo de 32 bits.");
    expect_rejected(with(shipped(), "limite50.txt", "2147483647\n"), "limite50.txt",
                    "leva as somas da instancia para fora do intervalo de 32 bits.");
}

TEST(HostileStdin, NoInputAtAllEndsNormally) {
    RunOptions closed = quick();
    closed.close_stdin = true;
    for (const RunOptions& options : {quick(), closed}) {
        const RunResult r = run_in(shipped(), kProgram, "", options);
        EXPECT_EQ(r.exit_status, 0);
        EXPECT_EQ(r.head, kMenu);
    }
}

TEST(HostileStdin, NulBytesAndAHugeLineAreDiscarded) {
    const RunResult nul = run_in(shipped(), kProgram, std::string("\0\0\0\n2\n\0", 8), quick());
    EXPECT_EQ(nul.exit_status, 0);
    EXPECT_EQ(nul.head,
              kMenu + kMenu + "\n ----- Gere uma solucao inicial ------\n" + kMenu + kMenu);
    const RunResult huge = run_in(shipped(), kProgram, std::string(10 << 20, 'q'), quick());
    EXPECT_EQ(huge.exit_status, 0);
    EXPECT_EQ(huge.head, kMenu + kMenu);
}

TEST(HostileStdin, ThousandsOfInvalidChoicesCostOneMenuEach) {
    const std::size_t n = 50'000;
    const RunResult r = run_in(shipped(), kProgram, repeated("9\n", n) + "0\n", quick());
    EXPECT_EQ(r.exit_status, 0);
    EXPECT_EQ(r.stdout_bytes, (n + 1) * kMenu.size());
    EXPECT_EQ(count_of(r.head, kPrompt), std::min(n + 1, r.head.size() / kMenu.size()));
}

TEST(OutputFaults, FullDeviceFailsPromptly) {
    RunOptions options = quick();
    options.stdout_path = "/dev/full";
    const RunResult r = run_in(shipped(), kProgram, "1\n2\n0\n", options);
    EXPECT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 1);
    EXPECT_NE(r.err.find("Erro ao escrever a saida padrao"), std::string::npos) << r.err;
}

TEST(OutputFaults, ClosedStandardOutputFailsPromptly) {
    RunOptions options = quick();
    options.close_stdout = true;
    const RunResult r = run_in(shipped(), kProgram, "1\n2\n0\n", options);
    EXPECT_FALSE(r.timed_out);
    EXPECT_EQ(r.exit_status, 1);
}

TEST(OutputFaults, ReaderGoneEndsTheSearchByTheBrokenPipe) {
    RunOptions options = quick();
    options.read_limit = 1;
    const RunResult r = run_in(shipped(), kProgram, "1\n3\n0\n", options);
    EXPECT_FALSE(r.timed_out) << "the 20-second search must not run on into a closed pipe";
    EXPECT_TRUE(r.signal == SIGPIPE || r.exit_status == 1) << r.signal << ' ' << r.exit_status;
}

// With standard input held open, as at a console, what the program shows
// before it waits for input must already be on the screen.
RunOptions held_open(const TempDir& dir) {
    RunOptions options;
    options.program = kProgram;
    options.working_directory = dir.path();
    return options;
}

TEST(HeldOpenInput, EachMenuIsOnTheScreenBeforeTheChoiceIsRead) {
    TempDir dir;
    for (const auto& [name, text] : shipped()) {
        dir.write(name, text);
    }
    Conversation program(held_open(dir));
    ASSERT_TRUE(program.shows(kMenu, 5)) << program.output();
    program.send("1\n");
    ASSERT_TRUE(program.shows("inviabilidade = ", 5));
    ASSERT_TRUE(program.shows(" \n" + kMenu, 5)) << "the menu after option 1";
    program.send("0\n");
    EXPECT_EQ(program.exit_status_within(5), 0);
}

TEST(HeldOpenInput, MissingFileIsReportedThenOneKeyEndsTheProgram) {
    TempDir dir;
    Conversation program(held_open(dir));
    ASSERT_TRUE(program.shows("O Arquivo peso50.txt nao pode ser aberto.\n", 5));
    EXPECT_EQ(program.exit_status_within(0.3), Conversation::kRunning) << "it waits for a key";
    program.send("x");
    EXPECT_EQ(program.exit_status_within(5), 1) << "one key, no line break needed";
}

class HeapExhaustion : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::string(TEST_PROGRAM).empty()) {
            GTEST_SKIP() << "sanitizer builds bring their own allocator";
        }
    }
    // The test build (a VNS of 30 cycles) with the heap set up by `environment`.
    static RunResult run(const std::string& input, const std::string& environment) {
        RunOptions options = quick();
        options.environment = {environment};
        options.stderr_terminal = true; // so the VNS shows its progress line
        return run_in(shipped(), TEST_PROGRAM, input, options);
    }
};

// Options 1, 2 and 3 with each allocation of the run refused in turn, alone
// and together with every one after it: the run ends either as it would have
// (the refused block was only an optimisation) or with what it had printed,
// the message and status 1; never by a signal or by terminate.
TEST_F(HeapExhaustion, EveryAllocationRefusedInTurn) {
    const std::string input = "1\n2\n3\n0\n";
    const RunResult normal = run(input, "KNAPSACK_TEST_COUNT_ALLOCATIONS=1");
    ASSERT_EQ(normal.exit_status, 0);
    const std::size_t at = normal.err.find("allocations: ");
    ASSERT_NE(at, std::string::npos) << normal.err;
    const long count = std::stol(normal.err.substr(at + 13));
    std::size_t fatal = 0;
    for (const char* mode : {"KNAPSACK_TEST_REFUSE_ONLY=", "KNAPSACK_TEST_REFUSE_FROM="}) {
        // The first allocation is the C++ runtime's own, before the program starts.
        for (long n = 2; n <= count + 1; ++n) {
            const RunResult r = run(input, mode + std::to_string(n));
            SCOPED_TRACE(mode + std::to_string(n));
            ASSERT_FALSE(r.timed_out);
            ASSERT_EQ(r.signal, 0) << r.err;
            if (r.exit_status == 0) {
                EXPECT_EQ(r.head, normal.head);
                continue;
            }
            ++fatal;
            EXPECT_EQ(r.exit_status, 1);
            if (r.err.find("\rVNS") != std::string::npos) {
                EXPECT_TRUE(erased_before(r.err)) << "a failed search erases its line";
            }
            ASSERT_GE(r.head.size(), kOutOfMemory.size());
            const std::size_t printed = r.head.size() - kOutOfMemory.size();
            EXPECT_EQ(r.head.substr(printed), kOutOfMemory);
            EXPECT_EQ(r.head.substr(0, printed), normal.head.substr(0, printed))
                << "what was printed before the failure is kept";
        }
    }
    // The instance, the solution and every working copy are needed; the rest is not.
    EXPECT_GT(fatal, 10U);
}

// The output buffer, the replay memo and the C library's input buffer are all
// larger than this; without them the output is the same, byte for byte.
TEST_F(HeapExhaustion, OptimisationsAreDoneWithout) {
    const std::string input = "1\n2\n3\n1\n3\n0\n";
    const RunResult normal = run(input, "KNAPSACK_TEST_REFUSE_BYTES=0");
    const RunResult without = run(input, "KNAPSACK_TEST_REFUSE_BYTES=512");
    EXPECT_EQ(without.exit_status, 0);
    EXPECT_EQ(without.head, normal.head);
}

} // namespace
} // namespace knapsack
