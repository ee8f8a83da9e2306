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

std::size_t menus_in(const std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = text.find(kPrompt); at != std::string::npos;
         at = text.find(kPrompt, at + 1)) {
        ++count;
    }
    return count;
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
    EXPECT_EQ(menus_in(r.head), std::min(n + 1, r.head.size() / kMenu.size()));
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

class HeapExhaustion : public ::testing::Test {
  protected:
    void SetUp() override {
        if (std::string(FAILING_HEAP_PROGRAM).empty()) {
            GTEST_SKIP() << "sanitizer builds bring their own allocator";
        }
    }
    // The program with its n-th solution-sized allocation failing.
    static RunResult failing(long n, const std::string& input) {
        RunOptions options = quick();
        options.environment = {"KNAPSACK_TEST_FAIL_ALLOCATION=" + std::to_string(n)};
        return run_in(shipped(), FAILING_HEAP_PROGRAM, input, options);
    }
    static void expect_prefix_then_message(const RunResult& failed, const std::string& normal) {
        EXPECT_EQ(failed.exit_status, 1);
        ASSERT_GE(failed.head.size(), kOutOfMemory.size());
        const std::size_t printed = failed.head.size() - kOutOfMemory.size();
        EXPECT_EQ(failed.head.substr(printed), kOutOfMemory);
        EXPECT_TRUE(failed.head.compare(0, printed, normal, 0, printed) == 0)
            << "what was printed before the failure is kept";
    }
};

TEST_F(HeapExhaustion, AtStartUpBeforeTheMenu) {
    for (long n = 1; n <= 4; ++n) {
        const RunResult r = failing(n, "1\n0\n");
        EXPECT_EQ(r.exit_status, 1) << n;
        EXPECT_EQ(r.head, kOutOfMemory) << n;
    }
}

TEST_F(HeapExhaustion, InsideVndKeepsWhatWasPrinted) {
    const std::string input = "1\n2\n2\n2\n0\n";
    const RunResult normal = run_in(shipped(), kProgram, input, quick());
    for (long n = 5; n <= 7; ++n) {
        const RunResult r = failing(n, input);
        expect_prefix_then_message(r, normal.head);
        EXPECT_EQ(menus_in(r.head), static_cast<std::size_t>(n - 3)) << n;
    }
}

TEST_F(HeapExhaustion, InsideVnsKeepsItsTraceSoFar) {
    const std::string input = "1\n3\n0\n";
    RunOptions few = quick();
    few.arguments = {"400"};
    const RunResult reference = run_in(shipped(), REFERENCE_PROGRAM, input, few);
    for (const long n : {5L, 6L, 40L}) {
        const RunResult r = failing(n, input);
        expect_prefix_then_message(r, reference.head);
        EXPECT_LT(r.head.size(), reference.head.size());
    }
}

} // namespace
} // namespace knapsack
