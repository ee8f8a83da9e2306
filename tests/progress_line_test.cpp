#include "app/progress_line.hpp"
#include "menu/progress_text.hpp"

#include <array>
#include <csignal>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

namespace knapsack {
namespace {

TEST(ProgressLine, TextGivesTimeOrCyclesBestObjectiveAndCycles) {
    std::array<char, 160> buffer{};
    EXPECT_EQ(progress_text(buffer, {3.42, 1234567, 320}, VnsStop::after_seconds(20.0)),
              "VNS 3.4 de 20 s | melhor objetivo: 320 | ciclos: 1234567");
    EXPECT_EQ(progress_text(buffer, {0.05, 12, -7}, VnsStop::after_cycles(30)),
              "VNS 0.1 s | melhor objetivo: -7 | ciclos: 12 de 30");
    std::array<char, 8> tiny{};
    EXPECT_EQ(progress_text(tiny, {1.0, 1, 1}, VnsStop::after_seconds(20.0)), "VNS 1.0");
}

// What the line writes: a draw at the first cycle, none until a quarter of a
// second has passed, then one, at a quarter exactly; and at the end the line
// blanked out.
TEST(ProgressLine, RedrawsAFewTimesASecondAndErasesItself) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    struct sigaction before {};
    sigaction(SIGTERM, nullptr, &before);
    ProgressLine line(fds[1], VnsStop::after_seconds(20.0));
    line.cycle_ended({0.0, 1, 5});
    line.cycle_ended({0.1, 2, 6});
    line.cycle_ended({0.25, 3, 7});
    line.finished({0.25, 3, 7});
    line.cycle_ended({0.0, 1, 4}); // the next search draws at once, from its own start
    line.erase();
    struct sigaction after {};
    sigaction(SIGTERM, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler) << "the signal handler goes with the line";
    close(fds[1]);
    std::string written;
    char chunk[512];
    for (ssize_t n; (n = read(fds[0], chunk, sizeof chunk)) > 0;) {
        written.append(chunk, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    const std::string first = "VNS 0.0 de 20 s | melhor objetivo: 5 | ciclos: 1";
    const std::string second = "VNS 0.2 de 20 s | melhor objetivo: 7 | ciclos: 3";
    const std::string next = "VNS 0.0 de 20 s | melhor objetivo: 4 | ciclos: 1";
    EXPECT_EQ(written, "\r" + first + "\r" + second + "\r" + std::string(second.size(), ' ') +
                           "\r\r" + next + "\r" + std::string(next.size(), ' ') + "\r");
}

} // namespace
} // namespace knapsack
