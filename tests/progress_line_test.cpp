#include "app/progress_line.hpp"
#include "menu/progress_text.hpp"

#include <array>
#include <csignal>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
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

// What the line wrote into a pipe, read to its end; the pipe is closed.
std::string everything_from(int fd) {
    std::string written;
    char chunk[512];
    for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) > 0;) {
        written.append(chunk, static_cast<std::size_t>(n));
    }
    close(fd);
    return written;
}

// What the line writes: a draw at the first cycle, none until a quarter of a
// second has passed, then one, at a quarter exactly; and at the end the line
// blanked out.
// The handlers the signals had before the line come back as they were.
extern "C" void earlier_handler(int) {}

TEST(ProgressLine, RedrawsAFewTimesASecondAndErasesItself) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    struct sigaction earlier {};
    earlier.sa_handler = earlier_handler;
    earlier.sa_flags = SA_RESTART;
    sigemptyset(&earlier.sa_mask);
    sigaddset(&earlier.sa_mask, SIGUSR1);
    struct sigaction before {};
    sigaction(SIGHUP, &earlier, &before);
    ProgressLine line(fds[1], VnsStop::after_seconds(20.0));
    line.cycle_ended({0.0, 1, 5});
    line.cycle_ended({0.1, 2, 6});
    line.cycle_ended({0.25, 3, 7});
    line.finished({0.25, 3, 7});
    line.cycle_ended({0.0, 1, 4}); // the next search draws at once, from its own start
    line.erase();
    struct sigaction after {};
    sigaction(SIGHUP, &before, &after);
    EXPECT_EQ(after.sa_handler, &earlier_handler) << "the signal handler goes with the line";
    EXPECT_EQ(after.sa_flags & SA_RESTART, SA_RESTART);
    EXPECT_EQ(sigismember(&after.sa_mask, SIGUSR1), 1);
    close(fds[1]);
    const std::string written = everything_from(fds[0]);
    const std::string first = "VNS 0.0 de 20 s | melhor objetivo: 5 | ciclos: 1";
    const std::string second = "VNS 0.2 de 20 s | melhor objetivo: 7 | ciclos: 3";
    const std::string next = "VNS 0.0 de 20 s | melhor objetivo: 4 | ciclos: 1";
    EXPECT_EQ(written, "\r" + first + "\r" + second + "\r" + std::string(second.size(), ' ') +
                           "\r\r" + next + "\r" + std::string(next.size(), ' ') + "\r");
}

// A signal that ends the run while the line stands blanks out the widest text
// shown since the last erase, though a shorter one has replaced it, then ends
// the program by that signal.
TEST(ProgressLine, ASignalErasesTheWidestTextThenEndsTheProgramByIt) {
    const std::string wide = "VNS 0.0 de 20 s | melhor objetivo: -1000000 | ciclos: 1";
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(fds[0]);
            const rlimit no_core{0, 0};
            setrlimit(RLIMIT_CORE, &no_core);
            std::signal(signal, SIG_DFL);
            ProgressLine line(fds[1], VnsStop::after_seconds(20.0));
            // A search that showed a wider line before it was erased counts for nothing.
            line.cycle_ended({0.0, 1, -1000000000});
            line.erase();
            line.cycle_ended({0.0, 1, -1000000});
            line.cycle_ended({0.3, 2, 5});
            raise(signal);
            _exit(0);
        }
        close(fds[1]);
        const std::string written = everything_from(fds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        std::string erase(wide.size() + 2, ' ');
        erase.front() = erase.back() = '\r';
        ASSERT_GE(written.size(), erase.size()) << signal;
        EXPECT_EQ(written.substr(written.size() - erase.size()), erase)
            << signal << ": " << written;
        EXPECT_NE(written.find(wide), std::string::npos);
    }
}

} // namespace
} // namespace knapsack
