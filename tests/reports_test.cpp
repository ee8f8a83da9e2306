#include "platform/raw_io.hpp"
#include "report/reports.hpp"
#include "support/run_process.hpp"
#include "test_support.hpp"

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <pthread.h>
#include <sys/time.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace knapsack {
namespace {

using testing::CapturedOutput;

const std::string kRule = "-------------------------------------------------\n";

// One item of weight 1 and profit 1, of which a solution may hold up to `units`.
Instance ones(std::int32_t units, std::int32_t capacity) {
    return make_instance({1}, {1}, {units}, capacity);
}

TEST(ResultBlock, OverCapacityShowsTheExcess) {
    // 130 units of a weight-1 item worth 17 each, 30 over a capacity of 100
    // at a penalty of 130 per unit: F = 2210 - 3900.
    const Instance inst = make_instance({1}, {17}, {130}, 100);
    CapturedOutput c;
    print_result_block(c.out(), kVndTitle, Solution(inst, {130}));
    EXPECT_EQ(c.text(), kRule +
                            "Melhor solucao encontrada pelo VND:\n"
                            "Funcao objetivo: -1690\n"
                            "Peso da mochila: 130    Inviabilidade = 30 \n" +
                            kRule);
}

TEST(ResultBlock, WithinCapacityAndNegativeObjective) {
    const Instance losing = make_instance({1}, {-1}, {100}, 100);
    const Instance inst = ones(100, 100);
    CapturedOutput c;
    print_result_block(c.out(), kDescent1Title, Solution(losing, {100}));
    print_result_block(c.out(), kDescent2Title, Solution(inst, {0}));
    EXPECT_EQ(c.text(), kRule + std::string(kDescent1Title) + "Funcao objetivo: -100\n" +
                            "Peso da mochila: 100    Inviabilidade = 0 \n" + kRule + kRule +
                            std::string(kDescent2Title) + "Funcao objetivo: 0\n" +
                            "Peso da mochila: 0    Inviabilidade = 0 \n" + kRule);
}

TEST(ResultBlock, VnsTitleShowsTheBudgetRoundedLikePrintf) {
    const Instance inst = ones(120, 100);
    for (const auto& [budget, shown] :
         {std::pair{20.0, "20"}, {0.0, "0"}, {2.5, "2"}, {3.5, "4"}, {0.4, "0"}}) {
        CapturedOutput c;
        print_vns_block(c.out(), budget, Solution(inst, {2}));
        EXPECT_EQ(c.text(), kRule + "Melhor solucao encontrada pelo VNS em " + shown +
                                " segundos:\nFuncao objetivo: 2\n"
                                "Peso da mochila: 2    Inviabilidade = 0 \n" +
                                kRule);
    }
    // A run limited by cycles instead of time says so.
    CapturedOutput c;
    print_vns_cycles_block(c.out(), 1000, Solution(inst, {120}));
    EXPECT_EQ(c.text(),
              kRule + "Melhor solucao encontrada pelo VNS em 1000 ciclos:\n" +
                  "Funcao objetivo: -2280\nPeso da mochila: 120    Inviabilidade = 20 \n" + kRule);
}

TEST(SolutionTable, QuantityFirstOneLinePerItem) {
    const Instance inst = make_instance({7, 1, -20}, {0, 0, 0}, {0, 12, 5}, 100);
    CapturedOutput c;
    print_solution_table(c.out(), Solution(inst, {0, 12, 5}));
    EXPECT_EQ(c.text(), " [s]  |  [w] \n [0]  |  [7]\n [12]  |  [1]\n [5]  |  [-20]\n");
}

TEST(SolutionTable, FiftyItemsMakeFiftyOneLines) {
    const std::vector<std::int32_t> v(50, 1);
    const Instance inst = make_instance(v, v, v, 100);
    CapturedOutput c;
    print_solution_table(c.out(), Solution(inst, v));
    EXPECT_EQ(testing::count_of(c.text(), "\n"), 51u);
}

TEST(OutputSink, PaddedIntegersMatchPrintfWidths) {
    CapturedOutput c;
    for (const std::int64_t v :
         {0LL, 7LL, -5LL, 42LL, 123LL, -123LL, 2147483647LL, -2147483648LL}) {
        c.out().put_int(v, 3);
        c.out().put('|');
        c.out().put_int(v, 2);
        c.out().put('\n');
    }
    EXPECT_EQ(c.text(), "  0| 0\n  7| 7\n -5|-5\n 42|42\n123|123\n-123|-123\n"
                        "2147483647|2147483647\n-2147483648|-2147483648\n");
}

TEST(OutputSink, LongTextsAndChunkBoundariesKeepEveryByte) {
    CapturedOutput c; // 64-byte buffer: forces every path through flushes
    std::string expected;
    for (int i = 0; i < 500; ++i) {
        const std::string piece(static_cast<std::size_t>(i % 150), static_cast<char>('a' + i % 26));
        c.out().put(piece);
        c.out().put_int(i);
        expected += piece + std::to_string(i);
    }
    EXPECT_EQ(c.text(), expected);
    // It drains only when it must: texts and characters that exactly fill it
    // stay in it, and a text of exactly its size goes into it whole.
    std::vector<std::size_t> drained;
    Output exact([&](std::string_view chunk) { drained.push_back(chunk.size()); }, 64);
    exact.put(std::string(32, 'a'));
    exact.put(std::string(32, 'b'));
    exact.put('c');
    exact.put(std::string(62, 'd'));
    exact.put('e');
    exact.put(std::string(64, 'f'));
    EXPECT_EQ(drained, (std::vector<std::size_t>{64, 64}));
}

TEST(OutputSink, ASinkAskedForNoRoomStillKeepsEveryByte) {
    std::string text;
    Output tiny([&](std::string_view chunk) { text.append(chunk); }, 1);
    const std::string chars(10000, 'c');
    for (const char c : chars) {
        tiny.put(c);
    }
    tiny.put_int(-42, 6);
    tiny.flush();
    EXPECT_EQ(text, chars + "   -42");
}

// Text kept elsewhere goes to a keeper by a share, in its place among the
// rest; without a keeper it is copied like any other.
TEST(OutputSink, KeptTextIsSharedInItsPlaceOrCopied) {
    std::string log;
    const auto text = std::make_shared<const std::string>("kept");
    Output shared([&](std::string_view chunk) { log.append(chunk).push_back('|'); }, 64,
                  [&](const std::shared_ptr<const std::string>& kept) {
                      EXPECT_EQ(kept, text);
                      log.append("share of ").append(*kept).push_back('|');
                  });
    shared.put("before ");
    shared.put(text);
    shared.put(" after");
    shared.flush();
    EXPECT_EQ(log, "before |share of kept| after|");
    CapturedOutput copied;
    copied.out().put("before ");
    copied.out().put(text);
    EXPECT_EQ(copied.text(), "before kept");
}

TEST(OutputSink, RefusedWriteIsReportedNotSwallowed) {
    Output out([](std::string_view) { throw OutputError(ENOSPC); }, 64);
    out.put("short");
    EXPECT_THROW(out.flush(), OutputError);
    EXPECT_NO_THROW(out.flush()) << "nothing is left to repeat";
    EXPECT_THROW(out.put(std::string(200, 'y')), OutputError);
}

// A write to a file descriptor that a signal interrupts carries on: cut short
// after some bytes (an empty pipe fills, then the write blocks), or before any
// (a pipe already full). A reader that comes later must get every byte in order.
TEST(OutputSink, AnInterruptedWriteToAFileDescriptorCarriesOn) {
    struct sigaction quiet {};
    quiet.sa_handler = [](int) {}; // and no SA_RESTART: the write returns what it wrote
    struct sigaction before {};
    sigaction(SIGALRM, &quiet, &before);
    std::string text(std::size_t{1} << 20, ' ');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char>('a' + i % 23);
    }
    for (const bool full : {false, true}) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        std::size_t filled = 0;
        if (full) {
            fcntl(fds[1], F_SETFL, O_NONBLOCK);
            while (write(fds[1], "p", 1) == 1) {
                ++filled;
            }
            fcntl(fds[1], F_SETFL, 0);
        }
        const std::string expected = std::string(filled, 'p') + text;
        std::string received;
        std::thread reader([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            std::array<char, 1 << 16> chunk{};
            for (ssize_t n; (n = read(fds[0], chunk.data(), chunk.size())) > 0;) {
                received.append(chunk.data(), static_cast<std::size_t>(n));
            }
        });
        const itimerval in_50ms{{0, 0}, {0, 50'000}};
        setitimer(ITIMER_REAL, &in_50ms, nullptr);
        {
            Output out = Output::to_fd(fds[1], text.size());
            out.put(text);
            out.flush();
        }
        close(fds[1]);
        reader.join();
        close(fds[0]);
        EXPECT_EQ(received, expected) << (full ? "interrupted before a byte" : "cut short");
    }
    sigaction(SIGALRM, &before, nullptr);
}

// A read that a signal interrupts before any byte came is made again: an
// instance file may be a pipe.
TEST(RawIo, AnInterruptedReadCarriesOn) {
    struct sigaction quiet {};
    quiet.sa_handler = [](int) {};
    sigemptyset(&quiet.sa_mask); // no SA_RESTART: the read returns EINTR
    struct sigaction before {};
    sigaction(SIGALRM, &quiet, &before);
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::thread writer([&] {
        sigset_t alarm;
        sigemptyset(&alarm);
        sigaddset(&alarm, SIGALRM);
        pthread_sigmask(SIG_BLOCK, &alarm, nullptr); // the signal goes to the reader
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_EQ(write(fds[1], "42", 2), 2);
    });
    const itimerval in_50ms{{0, 0}, {0, 50'000}};
    setitimer(ITIMER_REAL, &in_50ms, nullptr);
    std::array<char, 8> buffer{};
    EXPECT_EQ(raw_io::read(fds[0], buffer.data(), buffer.size()), 2);
    writer.join();
    close(fds[0]);
    close(fds[1]);
    sigaction(SIGALRM, &before, nullptr);
}

// Standard output's pipe is widened to the sink's buffer, so that a full
// buffer goes out in one write.
TEST(OutputSink, APipeWidenedHoldsAWholeBuffer) {
    if (const std::string why = testing::why_pipes_stay_narrower_than(Output::kDefaultCapacity);
        !why.empty()) {
        GTEST_SKIP() << why;
    }
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    raw_io::widen_pipe(fds[1], Output::kDefaultCapacity);
    EXPECT_GE(fcntl(fds[1], F_GETPIPE_SZ), static_cast<int>(Output::kDefaultCapacity));
    close(fds[0]);
    close(fds[1]);
}

} // namespace
} // namespace knapsack
